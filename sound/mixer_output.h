#pragma once
// The sound board's outputs: SDL_mixer on the audio device, and the silent
// one of headless runs, where sounds are taken and never end.

#include <SDL_mixer.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "sound/sound_board.h"

namespace snd {

class SilentOutput final : public SoundOutput {
 public:
  bool Play(int, SoundKind, const std::string&, int, std::string*) override { return true; }
  void Stop(int, SoundKind) override {}
  void Pause(int, SoundKind) override {}
  void Resume(int, SoundKind) override {}
  bool Busy(int, SoundKind) override { return true; }
};

// Plays through SDL_mixer. MIDI goes through the General MIDI sound font of
// the system. The finish callbacks run on the audio thread; they are handed
// the channel (-1 for music) and must only pass it on.
class MixerOutput final : public SoundOutput {
 public:
  using FinishedHook = std::function<void(int channel)>;

  // Opens the audio device; null, with `error` set, when there is none.
  static std::unique_ptr<MixerOutput> Open(FinishedHook onFinished, std::string* error);
  ~MixerOutput() override;
  MixerOutput(const MixerOutput&) = delete;
  MixerOutput& operator=(const MixerOutput&) = delete;

  bool Play(int channel, SoundKind kind, const std::string& posixPath, int timesToPlay,
            std::string* error) override;
  void Stop(int channel, SoundKind kind) override;
  void Pause(int channel, SoundKind kind) override;
  void Resume(int channel, SoundKind kind) override;
  bool Busy(int channel, SoundKind kind) override;

  // Frees the samples of channels that have finished.
  void Collect(int channel);

 private:
  MixerOutput() = default;
  bool PlayMusic(const std::string& posixPath, int timesToPlay, std::string* error);
  bool PlayChunk(int channel, const std::string& posixPath, int timesToPlay, std::string* error);

  std::array<Mix_Chunk*, kChannelCount> chunks_{};
  Mix_Music* music_ = nullptr;
};

}  // namespace snd
