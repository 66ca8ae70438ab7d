// The real sound player, started headless in a private instance and driven
// the way the host drives it (that it ends on WM_CLOSE is seen end to end,
// in tests/e2e).

#include <gtest/gtest.h>

#include <string>

#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "protocol/windows.h"
#include "sound/player_window.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch.h"
#include "tests/support/standin_companion.h"
#include "tests/support/test_instance.h"

namespace {

class PlayerProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("tune.mid", "MThd");
    folder_.Write("get.wav", "RIFF....WAVE");
    // The player resolves paths against its current folder, which it takes
    // from us as it does from the host.
    ASSERT_TRUE(player_.Start({SND_PROGRAM, "--headless"}, {{}, folder_.path(), true}));
    window_ = plat::FindWindowA(kSndClass, kSndTitle);
    ASSERT_NE(window_, nullptr);
  }

  plat::LRESULT Send(int op, int channel, int loops, const char* path = nullptr) {
    const SoundRecord record = testsupport::SoundCommand(op, channel, loops, path);
    return testsupport::SendCopyData(window_, kSoundCopyData, &record, sizeof record);
  }
  plat::LRESULT Channel(int channel) {
    return plat::SendMessageA(window_, kSndQueryChannel, plat::WPARAM(channel), 0);
  }

  testsupport::TestInstance instance_;
  testsupport::ScratchDir folder_;
  testsupport::ChildProcess player_;
  plat::HWND window_ = nullptr;
};

TEST_F(PlayerProgramTest, FollowsTheCommandsOfTheTestApplicationAndRefusesBadOnes) {
  EXPECT_EQ(Send(0, 0, -1, "tune.mid"), 1);
  EXPECT_EQ(Send(0, 1, 1, "get.wav"), 1);
  EXPECT_EQ(Send(0, 2, 2, "get.wav"), 1);
  EXPECT_EQ(Send(2, 1, 0), 1);
  EXPECT_EQ(Send(1, 2, 0), 1);
  EXPECT_EQ(Channel(0), kSndChannelPlaying);
  EXPECT_EQ(Channel(1), kSndChannelPaused);
  EXPECT_EQ(Channel(9), -1);
  ASSERT_EQ(plat::SendMessageA(window_, kSndWriteState, 0, 0), 1);
  EXPECT_EQ(testsupport::ReadFile(snd::SndStateFile()),
            "0 playing -1 music tune.mid\n1 paused 1 sound get.wav\n2 idle\n3 idle\n4 idle\n"
            "5 idle\n6 idle\n7 idle\n8 idle\n");

  // Refused: a missing file, a record of another size or kind; nothing changes.
  EXPECT_EQ(Send(3, 1, 0), 1);
  EXPECT_EQ(Send(0, 1, 1, "missing.wav"), 0);
  const SoundRecord record = testsupport::SoundCommand(1, 1, 0);
  EXPECT_EQ(testsupport::SendCopyData(window_, kSoundCopyData, &record, 12), 0);
  EXPECT_EQ(testsupport::SendCopyData(window_, 1, &record, sizeof record), 0);
  EXPECT_EQ(Channel(1), kSndChannelPlaying);
}

}  // namespace
