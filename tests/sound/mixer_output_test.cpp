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

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"
#include "tools/sndgen/wav_writer.h"

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

// A minute of a square wave, 16-bit mono at 8000 Hz, as sndgen writes it.
std::vector<uint8_t> LongWav() {
  std::vector<int16_t> samples(8000 * 60);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = i % 16 < 8 ? 4000 : -4000;
  return sndgen::WriteWav(samples, 8000);
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
    testsupport::WriteFile(*files / "long.wav", LongWav());
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
