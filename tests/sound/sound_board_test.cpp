#include "sound/sound_board.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"
#include "tests/support/standin_companion.h"

namespace snd {
namespace {

using testsupport::SoundCommand;

// Records what the board asks of the mixer; sounds stay busy until a test
// says they ended.
class FakeOutput final : public SoundOutput {
 public:
  bool Play(int channel, SoundKind kind, const std::string& path, int times,
            std::string* error) override {
    if (refuse) *error = "cannot decode";
    else calls.push_back("play " + Where(channel, kind) + " " + path + " x" + std::to_string(times));
    return !refuse;
  }
  void Stop(int channel, SoundKind kind) override { Note("stop", channel, kind); }
  void Pause(int channel, SoundKind kind) override { Note("pause", channel, kind); }
  void Resume(int channel, SoundKind kind) override { Note("resume", channel, kind); }
  bool Busy(int, SoundKind) override { return busy; }

  static std::string Where(int channel, SoundKind kind) {
    return kind == SoundKind::Music ? "music" : std::to_string(channel);
  }
  void Note(const char* what, int channel, SoundKind kind) {
    calls.push_back(what + (" " + Where(channel, kind)));
  }

  std::vector<std::string> calls;
  bool refuse = false;
  bool busy = true;
};

// A scratch folder, the current one for the test, with a MIDI and a WAV file.
class SoundBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("AppEntry/tune.mid", std::string_view("MThd\0\0\0\6", 8));
    folder_.Write("AppEntry/get.WAV", std::string_view("RIFF\x24\0\0\0WAVEfmt ", 16));
    folder_.Write("AppEntry/empty.wav", "");
  }
  bool Apply(const SoundRecord& record) {
    error.clear();
    return board.Apply(record, &error);
  }

  testsupport::ScratchDir folder_;
  testsupport::ScopedCwd cwd_{folder_.path()};
  FakeOutput output;
  SoundBoard board{output};
  std::string error;
};

TEST_F(SoundBoardTest, PlayPauseResumeStopWalkTheStatesAndIdleChannelsIgnoreThem) {
  ASSERT_TRUE(Apply(SoundCommand(0, 1, 1, "AppEntry\\get.WAV")));
  EXPECT_EQ(board.Status(1).state, ChannelState::Playing);
  EXPECT_EQ(board.Status(1).file, "AppEntry\\get.WAV");
  EXPECT_EQ(board.Status(1).kind, SoundKind::Chunk);
  EXPECT_TRUE(Apply(SoundCommand(2, 1, 0)));
  EXPECT_EQ(board.Status(1).state, ChannelState::Paused);
  // Pausing again and resuming twice change nothing more.
  EXPECT_TRUE(Apply(SoundCommand(2, 1, 0)));
  EXPECT_TRUE(Apply(SoundCommand(3, 1, 0)));
  EXPECT_TRUE(Apply(SoundCommand(3, 1, 0)));
  EXPECT_EQ(board.Status(1).state, ChannelState::Playing);
  EXPECT_TRUE(Apply(SoundCommand(1, 1, 0)));
  EXPECT_EQ(board.Status(1).state, ChannelState::Idle);
  // On an idle channel stop, pause and resume do nothing.
  for (int op : {1, 2, 3}) EXPECT_TRUE(Apply(SoundCommand(op, 1, 0)));
  EXPECT_EQ(board.Status(1).state, ChannelState::Idle);
  EXPECT_EQ(output.calls, (std::vector<std::string>{"play 1 AppEntry/get.WAV x1", "pause 1",
                                                    "resume 1", "stop 1"}));
}

TEST_F(SoundBoardTest, LoopsCountPlays) {
  ASSERT_TRUE(Apply(SoundCommand(0, 0, -1, "AppEntry\\get.WAV")));
  ASSERT_TRUE(Apply(SoundCommand(0, 2, 2, "AppEntry\\get.WAV")));
  // Zero plays once, like one: a play command is never silent.
  ASSERT_TRUE(Apply(SoundCommand(0, 3, 0, "AppEntry\\get.WAV")));
  EXPECT_EQ(board.Status(3).loops, 0);
  EXPECT_EQ(output.calls,
            (std::vector<std::string>{"play 0 AppEntry/get.WAV x-1", "play 2 AppEntry/get.WAV x2",
                                      "play 3 AppEntry/get.WAV x1"}));
}

// Each refused command leaves channel 1 playing its sound and asks the mixer
// for nothing; the error names what was wrong.
TEST_F(SoundBoardTest, RefusedCommandsChangeNothing) {
  ASSERT_TRUE(Apply(SoundCommand(0, 1, 1, "AppEntry\\get.WAV")));
  ASSERT_TRUE(Apply(SoundCommand(0, 8, 1, "AppEntry\\get.WAV")));
  SoundRecord unterminated = SoundCommand(0, 1, 1);
  std::memset(unterminated.path, 'a', sizeof unterminated.path);
  const std::pair<SoundRecord, const char*> refused[] = {
      {SoundCommand(0, 9, 1, "AppEntry\\get.WAV"), "channel 9"},
      {SoundCommand(1, -1, 0), "channel -1"},
      {SoundCommand(4, 1, 0), "op 4"},
      {SoundCommand(0, 1, -2, "AppEntry\\get.WAV"), "loops -2"},
      {SoundCommand(0, 1, 1, "AppEntry\\nothing.wav"), "AppEntry/nothing.wav"},
      {SoundCommand(0, 1, 1, "AppEntry\\empty.wav"), "empty.wav"},
      {SoundCommand(0, 1, 1, "AppEntry"), "AppEntry"},  // a folder
      {SoundCommand(0, 1, 1, ""), ""},
      {unterminated, ""},
  };
  for (const auto& [record, word] : refused) {
    EXPECT_FALSE(Apply(record)) << word;
    EXPECT_NE(error.find(word), std::string::npos) << error;
  }
  output.refuse = true;
  EXPECT_FALSE(Apply(SoundCommand(0, 1, 1, "AppEntry\\tune.mid")));
  EXPECT_EQ(board.Status(1).state, ChannelState::Playing);
  EXPECT_EQ(board.Status(1).file, "AppEntry\\get.WAV");
  EXPECT_EQ(output.calls.size(), 2u);
}

TEST_F(SoundBoardTest, MidiIsTheMusicStreamOwnedByOneChannel) {
  ASSERT_TRUE(Apply(SoundCommand(0, 0, -1, "AppEntry\\tune.mid")));
  EXPECT_EQ(board.Status(0).kind, SoundKind::Music);
  EXPECT_TRUE(Apply(SoundCommand(2, 0, 0)));
  EXPECT_EQ(board.Status(0).state, ChannelState::Paused);
  // A second tune on another channel takes the stream over.
  ASSERT_TRUE(Apply(SoundCommand(0, 3, 1, "AppEntry\\tune.mid")));
  EXPECT_EQ(board.Status(0).state, ChannelState::Idle);
  EXPECT_EQ(board.Status(3).state, ChannelState::Playing);
  // A sample on the stream's channel lets the stream go.
  ASSERT_TRUE(Apply(SoundCommand(0, 3, 1, "AppEntry\\get.WAV")));
  EXPECT_EQ(board.Status(3).kind, SoundKind::Chunk);
  EXPECT_EQ(output.calls,
            (std::vector<std::string>{"play music AppEntry/tune.mid x-1", "pause music",
                                      "play music AppEntry/tune.mid x1",
                                      "play 3 AppEntry/get.WAV x1", "stop music"}));
  // The stream has no owner now: its end touches no channel.
  output.busy = false;
  board.MusicFinished();
  EXPECT_EQ(board.Status(3).state, ChannelState::Playing);
}

TEST_F(SoundBoardTest, ASoundThatEndedLeavesItsChannelIdleUnlessReplaced) {
  ASSERT_TRUE(Apply(SoundCommand(0, 1, 1, "AppEntry\\get.WAV")));
  ASSERT_TRUE(Apply(SoundCommand(0, 0, 1, "AppEntry\\tune.mid")));
  // The end of a sound that was replaced arrives late: the new one still plays.
  board.Finished(1);
  EXPECT_EQ(board.Status(1).state, ChannelState::Playing);
  output.busy = false;
  board.Finished(1);
  board.MusicFinished();
  board.Finished(42);
  EXPECT_EQ(board.Status(1).state, ChannelState::Idle);
  EXPECT_EQ(board.Status(0).state, ChannelState::Idle);
}

}  // namespace
}  // namespace snd
