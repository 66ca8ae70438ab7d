#include "sound/sound_board.h"

#include <cstring>

#include "platform/sys/path.h"

namespace snd {

namespace {

const char* StateName(ChannelState state) {
  switch (state) {
    case ChannelState::Idle: return "idle";
    case ChannelState::Playing: return "playing";
    case ChannelState::Paused: return "paused";
  }
  return "?";
}

}  // namespace

bool SoundBoard::Apply(const SoundRecord& record, std::string* error) {
  const int channel = record.channel;
  if (channel < 0 || channel >= kChannelCount) {
    *error = "channel " + std::to_string(channel) + " is not 0 to 8";
    return false;
  }
  ChannelStatus& status = channels_[channel];
  switch (record.op) {
    case int(SoundOp::Play):
      return Play(channel, record.loops, record.path, strnlen(record.path, sizeof record.path),
                  error);
    case int(SoundOp::Stop):
      if (status.state != ChannelState::Idle) Stop(channel);
      return true;
    case int(SoundOp::Pause):
      if (status.state == ChannelState::Playing) {
        output_.Pause(channel, status.kind);
        status.state = ChannelState::Paused;
      }
      return true;
    case int(SoundOp::Resume):
      if (status.state == ChannelState::Paused) {
        output_.Resume(channel, status.kind);
        status.state = ChannelState::Playing;
      }
      return true;
    default:
      *error = "unknown op " + std::to_string(record.op);
      return false;
  }
}

bool SoundBoard::Play(int channel, int loops, const char* path, std::size_t pathLength,
                      std::string* error) {
  if (loops < -1) {
    *error = "loops " + std::to_string(loops) + " is below -1";
    return false;
  }
  if (pathLength == 0) {
    *error = "no file to play";
    return false;
  }
  // A path that fills the whole field has no NUL: it was cut, so it is not
  // the file the sender meant.
  if (pathLength == std::size_t(kSoundPathSize)) {
    *error = "path is not terminated";
    return false;
  }
  const std::string file(path, pathLength);
  const std::string posixPath = plat::ToPosixPath(file);
  const codec::Result<SoundKind> kind = ProbeSoundFile(posixPath);
  if (!kind) {
    *error = kind.error().Text();
    return false;
  }
  std::string why;
  const int timesToPlay = loops == 0 ? 1 : loops;
  if (!output_.Play(channel, *kind, posixPath, timesToPlay, &why)) {
    *error = posixPath + ": " + why;
    return false;
  }
  ChannelStatus& status = channels_[channel];
  // The new sound replaced whatever the channel had; a channel that held the
  // music stream and now plays a sample has let the stream go.
  if (status.state != ChannelState::Idle && status.kind != *kind) Stop(channel);
  if (*kind == SoundKind::Music) {
    if (musicChannel_ >= 0 && musicChannel_ != channel) channels_[musicChannel_] = ChannelStatus{};
    musicChannel_ = channel;
  }
  status = ChannelStatus{ChannelState::Playing, file, loops, *kind};
  return true;
}

void SoundBoard::Stop(int channel) {
  ChannelStatus& status = channels_[channel];
  output_.Stop(channel, status.kind);
  if (status.kind == SoundKind::Music) musicChannel_ = -1;
  status = ChannelStatus{};
}

void SoundBoard::Finished(int channel) {
  if (channel < 0 || channel >= kChannelCount) return;
  ChannelStatus& status = channels_[channel];
  if (status.state == ChannelState::Idle || status.kind != SoundKind::Chunk) return;
  if (!output_.Busy(channel, SoundKind::Chunk)) status = ChannelStatus{};
}

void SoundBoard::MusicFinished() {
  if (musicChannel_ < 0 || output_.Busy(musicChannel_, SoundKind::Music)) return;
  channels_[musicChannel_] = ChannelStatus{};
  musicChannel_ = -1;
}

std::string SoundBoard::Describe() const {
  std::string out;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const ChannelStatus& status = channels_[channel];
    out += std::to_string(channel) + " " + StateName(status.state);
    if (status.state != ChannelState::Idle) {
      out += " " + std::to_string(status.loops);
      out += status.kind == SoundKind::Music ? " music " : " sound ";
      out += status.file;
    }
    out += "\n";
  }
  return out;
}

}  // namespace snd
