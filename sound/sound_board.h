#pragma once
// The player's channels and what each sound command does to them, apart from
// any audio library: the mixer behind it is a SoundOutput.
//
// Channels 0..8, each idle, playing a file a number of times, or paused.
//   op 0  play `path` on the channel, replacing what it played; loops -1
//         repeats forever, n >= 1 plays n times, 0 plays once like 1
//   op 1  stop the channel            op 2  pause it      op 3  resume it
// A MIDI file plays as the mixer's single music stream: the channel it was
// started on owns the stream and its stop, pause and resume act on it. A
// second MIDI file on another channel takes the stream over, and the first
// channel becomes idle.
// Commands that cannot be carried out (bad channel, op or loops, a missing
// or unreadable file) change nothing and are reported.

#include <array>
#include <string>

#include "protocol/records.h"
#include "sound/sound_file.h"

namespace snd {

inline constexpr int kChannelCount = 9;

enum class ChannelState { Idle, Playing, Paused };

struct ChannelStatus {
  ChannelState state = ChannelState::Idle;
  std::string file;  // the file as the command named it (GB2312, Windows-style)
  int loops = 0;     // as the command gave it
  SoundKind kind = SoundKind::Chunk;
};

// The mixer. `timesToPlay` is -1 for forever, else at least 1.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts the file, replacing what the channel (or, for music, the music
  // stream) played. False, with `error` set and nothing changed, when the
  // file cannot be decoded.
  virtual bool Play(int channel, SoundKind kind, const std::string& posixPath, int timesToPlay,
                    std::string* error) = 0;
  virtual void Stop(int channel, SoundKind kind) = 0;
  virtual void Pause(int channel, SoundKind kind) = 0;
  virtual void Resume(int channel, SoundKind kind) = 0;
  // Whether the channel (or the music stream) still has a sound, paused or not.
  virtual bool Busy(int channel, SoundKind kind) = 0;
};

enum class SoundOp { Play = 0, Stop = 1, Pause = 2, Resume = 3 };

class SoundBoard {
 public:
  explicit SoundBoard(SoundOutput& output) : output_(output) {}

  // Carries out one command. False, with `error` set, when it was refused.
  bool Apply(const SoundRecord& record, std::string* error);

  // The mixer says a sound ended: the channel becomes idle unless it has
  // been given a new sound since.
  void Finished(int channel);

  // The music stream ended: its channel becomes idle likewise.
  void MusicFinished();

  const ChannelStatus& Status(int channel) const { return channels_[channel]; }

  // One line per channel: "<n> idle", or "<n> playing|paused <loops>
  // music|sound <file>".
  std::string Describe() const;

 private:
  bool Play(int channel, int loops, const char* path, std::size_t pathLength, std::string* error);
  void Stop(int channel);

  SoundOutput& output_;
  std::array<ChannelStatus, kChannelCount> channels_{};
  int musicChannel_ = -1;
};

}  // namespace snd
