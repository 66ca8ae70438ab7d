// The test application in the whole host: its sound keys and the way out.
// Its screen, the tick counter included, is compared exactly with the
// replay golden (tests/host/replay and tests/e2e).

#include "desktop/testapp/test_app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/support/host_runner.h"

namespace {

using testsupport::HostRun;

// As the Desktop starts it.
void LaunchTestApp() {
  PrepareLaunch();
  TestAppMain();
}

class TestAppTest : public ::testing::Test {
 protected:
  std::vector<SoundRecord> Sent() const {
    return host.player->Records<SoundRecord>(kSoundCopyData);
  }

  HostRun host{LaunchTestApp};
};

TEST_F(TestAppTest, LetterKeysSendTheirSoundCommandsAndNothingElseDoes) {
  for (char key : std::string("QWASDFGHJK")) host.KeyDown(uint32_t(key));
  struct Expected {
    int32_t op, channel, loops;
    const char* path;
  };
  // Q W: play and stop the tune; A S D F and G H J K: play, stop, pause and
  // resume a sound on channels 1 and 2.
  const Expected table[] = {
      {0, 0, -1, "..\\AppEntry\\Tunebox.mid"},
      {1, 0, 0, ""},
      {0, 1, 1, "..\\AppEntry\\get.WAV"},
      {1, 1, 0, ""},
      {2, 1, 0, ""},
      {3, 1, 0, ""},
      {0, 2, 2, "..\\AppEntry\\track06.WAV"},
      {1, 2, 0, ""},
      {2, 2, 0, ""},
      {3, 2, 0, ""},
  };
  const std::vector<SoundRecord> sent = Sent();
  ASSERT_EQ(sent.size(), std::size(table));
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].op, table[i].op) << i;
    EXPECT_EQ(sent[i].channel, table[i].channel) << i;
    EXPECT_EQ(sent[i].loops, table[i].loops) << i;
    EXPECT_STREQ(sent[i].path, table[i].path) << i;
  }
  // Other keys, key-ups and characters send nothing.
  for (char key : std::string("ZELa1")) host.KeyDown(uint32_t(key));
  for (char key : std::string("QWASDFGHJK")) host.KeyUp(uint32_t(key));
  host.Post(MsgChar, 'Q', 0);
  EXPECT_EQ(Sent().size(), std::size(table));
}

TEST_F(TestAppTest, EscapeShowsTheBoxAndLeavesNothingBehind) {
  host.Advance(300);
  host.KeyDown(kKeyEscape);
  host.Join();
  // The only box is the application's: the memory pool found no leak.
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "读档失败!");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(boxes[0].type, plat::MB_OK);
}

}  // namespace
