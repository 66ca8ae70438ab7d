// SDL_mixer behind the sound board, on SDL's dummy audio driver (no sound
// card). That driver consumes no samples, so sounds end only when stopped or
// replaced, and the mixer reports those ends at once.

#include "sound/mixer_output.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "codec/bytes.h"
#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace snd {
namespace {

std::mutex finishedMutex;
std::condition_variable finishedChanged;
std::multiset<int> finished;

void OnFinished(int channel) {
  std::lock_guard lock(finishedMutex);
  finished.insert(channel);
  finishedChanged.notify_all();
}

void WaitFinished(int channel) {
  std::unique_lock lock(finishedMutex);
  finishedChanged.wait(lock, [&] { return finished.count(channel) > 0; });
  finished.erase(finished.find(channel));
}

// 8-bit mono PCM at 8000 Hz, `samples` long.
std::string Wav(uint32_t samples) {
  std::string wav = "RIFF";
  codec::AppendLe<uint32_t>(wav, 36 + samples);
  wav += "WAVEfmt ";
  codec::AppendLe<uint32_t>(wav, 16);
  codec::AppendLe<uint16_t>(wav, 1);
  codec::AppendLe<uint16_t>(wav, 1);
  codec::AppendLe<uint32_t>(wav, 8000);
  codec::AppendLe<uint32_t>(wav, 8000);
  codec::AppendLe<uint16_t>(wav, 1);
  codec::AppendLe<uint16_t>(wav, 8);
  wav += "data";
  codec::AppendLe<uint32_t>(wav, samples);
  for (uint32_t i = 0; i < samples; ++i) wav.push_back(char(i % 16 < 8 ? 0x70 : 0x90));
  return wav;
}

// One short note.
std::string Midi() {
  const std::string track("\x00\x90\x3C\x40\x10\x80\x3C\x40\x00\xFF\x2F\x00", 12);
  std::string midi("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk", 18);
  midi += std::string("\x00\x00\x00", 3) + char(track.size()) + track;
  return midi;
}

class MixerOutputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    driver = new testsupport::ScopedEnv("SDL_AUDIODRIVER", "dummy");
    std::string error;
    mixer = MixerOutput::Open(&OnFinished, &error).release();
    ASSERT_NE(mixer, nullptr) << error;
    files = new testsupport::ScratchDir("mixer");
    files->Write("long.wav", Wav(8000 * 60));
    files->Write("tune.mid", Midi());
    files->Write("broken.wav", std::string_view("RIFF\x10\0\0\0WAVEjunk", 16));
  }
  static void TearDownTestSuite() {
    delete mixer;
    delete files;
    delete driver;
  }

  static inline testsupport::ScopedEnv* driver = nullptr;
  static inline MixerOutput* mixer = nullptr;
  static inline testsupport::ScratchDir* files = nullptr;
  std::string error;
};

TEST_F(MixerOutputTest, PauseKeepsASampleAndStopEndsIt) {
  ASSERT_TRUE(mixer->Play(1, SoundKind::Chunk, *files / "long.wav", -1, &error)) << error;
  mixer->Pause(1, SoundKind::Chunk);
  EXPECT_TRUE(mixer->Busy(1, SoundKind::Chunk));
  mixer->Resume(1, SoundKind::Chunk);
  // Replacing the sound reports the old one's end.
  ASSERT_TRUE(mixer->Play(1, SoundKind::Chunk, *files / "long.wav", 1, &error)) << error;
  WaitFinished(1);
  EXPECT_TRUE(mixer->Busy(1, SoundKind::Chunk));
  mixer->Stop(1, SoundKind::Chunk);
  WaitFinished(1);
  EXPECT_FALSE(mixer->Busy(1, SoundKind::Chunk));
}

TEST_F(MixerOutputTest, MidiPlaysAsMusic) {
  ASSERT_TRUE(mixer->Play(0, SoundKind::Music, *files / "tune.mid", -1, &error)) << error;
  EXPECT_TRUE(mixer->Busy(0, SoundKind::Music));
  mixer->Pause(0, SoundKind::Music);
  mixer->Resume(0, SoundKind::Music);
  mixer->Stop(0, SoundKind::Music);
  WaitFinished(-1);
  EXPECT_FALSE(mixer->Busy(0, SoundKind::Music));
}

TEST_F(MixerOutputTest, AFileThatCannotBeDecodedKeepsTheOldSound) {
  ASSERT_TRUE(mixer->Play(3, SoundKind::Chunk, *files / "long.wav", -1, &error)) << error;
  EXPECT_FALSE(mixer->Play(3, SoundKind::Chunk, *files / "broken.wav", 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(mixer->Busy(3, SoundKind::Chunk));
  mixer->Stop(3, SoundKind::Chunk);
  WaitFinished(3);
}

}  // namespace
}  // namespace snd
