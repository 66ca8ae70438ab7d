#pragma once
// What kind of sound a file holds, found from its first bytes.

#include <string>

#include "codec/result.h"

namespace snd {

enum class SoundKind {
  Music,  // a MIDI file: played as the mixer's single music stream
  Chunk,  // anything else (WAV): a sample played on a mixer channel
};

// The kind of the readable regular file at `posixPath`, or why it cannot be
// opened or read.
codec::Result<SoundKind> ProbeSoundFile(const std::string& posixPath);

}  // namespace snd
