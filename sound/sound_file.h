#pragma once
// What kind of sound a file holds, found from its first bytes.

#include <optional>
#include <string>

namespace snd {

enum class SoundKind {
  Music,  // a MIDI file: played as the mixer's single music stream
  Chunk,  // anything else (WAV): a sample played on a mixer channel
};

// The kind of the readable regular file at `posixPath`, or nullopt (with
// `error` set) when it cannot be opened or read.
std::optional<SoundKind> ProbeSoundFile(const std::string& posixPath, std::string* error);

}  // namespace snd
