// The test application in the whole host: its sound keys and the way out.
// Its screen, the tick counter included, is compared exactly with the
// replay golden (tests/e2e).

#include "desktop/testapp/test_app.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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
  std::vector<SoundRecord> Sent() const { return host.player->Records<SoundRecord>(kSoundCopyData); }
  HostRun host{LaunchTestApp};
};

TEST_F(TestAppTest, LetterKeysSendTheirSoundCommandsAndNothingElseDoes) {
  for (char key : std::string("QWASDFGHJK")) host.KeyDown(uint32_t(key));
  // Q W: play and stop the tune; A S D F and G H J K: play, stop, pause and
  // resume a sound on channels 1 and 2.
  using Command = std::tuple<int32_t, int32_t, int32_t, std::string>;
  const std::vector<Command> table = {
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
  std::vector<Command> sent;
  for (const SoundRecord& r : Sent()) sent.emplace_back(r.op, r.channel, r.loops, r.path);
  EXPECT_EQ(sent, table);
  // Other keys, key-ups and characters send nothing.
  for (char key : std::string("ZELa1")) host.KeyDown(uint32_t(key));
  for (char key : std::string("QWASDFGHJK")) host.KeyUp(uint32_t(key));
  host.Post(MsgChar, 'Q', 0);
  EXPECT_EQ(Sent().size(), table.size());
}

TEST_F(TestAppTest, EscapeShowsTheBoxAndLeavesNothingBehind) {
  host.Advance(300);
  host.KeyDown(kKeyEscape);
  host.Join();
  // The only box is the application's: the memory pool found no leak.
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::tie(boxes[0].text, boxes[0].caption, boxes[0].type),
            std::tie("读档失败!", "提示", plat::MB_OK));
}

}  // namespace
