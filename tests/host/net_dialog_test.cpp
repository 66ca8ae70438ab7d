// The host/join dialog and its line input, in a whole host run on the held
// virtual clock: leaving it, typing, hosting with the name typed, a failed
// join shown for five seconds, and the caret.

#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <string>

#include "host/canvas.h"
#include "host/lcd.h"
#include "host/msg.h"
#include "host/net.h"
#include "host/text.h"
#include "tests/support/golden.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"
#include "tests/support/net_peer.h"

namespace {

using testsupport::HostRun;
using testsupport::Snapshot;

constexpr uint32_t kGo = 'G';
constexpr uint32_t kBackspace = 8;
constexpr int kNotYet = -1;

std::atomic<int> dialogResult{kNotYet};

// A screen to come back to, a key to start the dialog, the dialog, then
// Messages until Escape (a pending F2 cleared first).
void DialogEntry() {
  CanvasClear(nullptr);
  FillRectColor(20, 30, 300, 210, 0x336699, nullptr);
  DrawText(24, 34, "backdrop", nullptr);
  Message message;
  while (GetMsg(&message) && !(message.type == MsgKeyDown && message.wParam == kGo)) {
  }
  dialogResult = NetGameSetup();
  ClearMsgQueue();
  while (GetMsg(&message) && !(message.type == MsgKeyDown && message.wParam == kKeyEscape)) {
  }
}

// The dialog's box with the screen font of 8 x 16: 144 x 48, centred.
constexpr int kLeft = 88;
constexpr int kTop = 96;

class NetDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogResult = kNotYet;
    SetNetPort(port_);
    before_ = Snapshot();
    run_.KeyDown(kGo);
  }
  // A dialog still asking takes the Escape that would end the run.
  void TearDown() override {
    if (dialogResult == kNotYet) run_.KeyDown(kKeyEscape);
    NetClose();
  }

  void Type(const std::string& text) {
    std::vector<Message> messages;
    for (char c : text) messages.push_back({MsgChar, uint32_t(uint8_t(c)), 0});
    run_.PostAll(messages);
  }
  // The box's third line and its outline: the result text alone (the line
  // above shows the port, which changes from run to run).
  static plat::Image ResultLine() {
    plat::Image line{146, 18, {}};
    for (uint32_t bgr : testsupport::Pixels(nullptr, kLeft - 1, kTop + 32, 146, 18)) {
      line.pixels.push_back((bgr & 0x00FF00) | (bgr & 0xFF) << 16 | (bgr >> 16 & 0xFF));
    }
    return line;
  }
  // Whether the screen pixel is the inverse of what the box has there.
  static bool CaretShown() { return GetPixelColor(kLeft, kTop + 20, nullptr) == 0x000000; }

  const uint16_t port_ = testsupport::FreePort();
  HostRun run_{DialogEntry};
  std::vector<uint32_t> before_;
};

TEST_F(NetDialogTest, EscapeAtTheChoiceLeavesTheScreenAsItWas) {
  EXPECT_NE(Snapshot(), before_);
  run_.KeyDown(kKeyEscape);
  EXPECT_EQ(dialogResult, 0);
  EXPECT_EQ(Snapshot(), before_);
}

TEST_F(NetDialogTest, F2AtTheChoiceLeavesTheScreenAsItWas) {
  run_.KeyDown(kKeyF2);
  EXPECT_EQ(dialogResult, 0);
  EXPECT_EQ(Snapshot(), before_);
}

TEST_F(NetDialogTest, DownHighlightsJoining) {
  run_.KeyDown(kKeyDown);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "net/dialog_join_chosen"));
  run_.PostAll({{MsgKeyDown, kKeyUp, 0}, {MsgKeyDown, kKeyDown, 0}, {MsgKeyDown, kKeyUp, 0},
                {MsgKeyDown, kKeyDown, 0}});
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "net/dialog_join_chosen"));
}

TEST_F(NetDialogTest, EscapeInTheLineInputConnectsNowhereAndWaitsForNothing) {
  testsupport::RawListener listener;
  run_.PostAll({{MsgKeyDown, kKeyDown, 0}, {MsgKeyDown, kKeyEnter, 0}});
  Type("127.0.0.1:" + std::to_string(listener.port()));
  run_.KeyDown(kKeyEscape);
  EXPECT_EQ(dialogResult, 0);
  EXPECT_EQ(Snapshot(), before_);
  EXPECT_EQ(caretHidden, 1);
  EXPECT_EQ(caretWidth, 0);
  // Nobody knocked at the listener.
  pollfd pending{listener.fd(), POLLIN, 0};
  EXPECT_EQ(poll(&pending, 1, 0), 0);
}

TEST_F(NetDialogTest, TheNameTypedIsTheGameHosted) {
  run_.KeyDown(kKeyEnter);
  EXPECT_TRUE(CaretShown());
  // Each character Message counts; Backspace takes the last back; the
  // sixteenth character is refused.
  Type("abx");
  run_.KeyDown(kBackspace);
  Type("cdefghijklmnopqrs");
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "net/dialog_name_typed"));
  run_.KeyDown(kKeyEnter);
  testsupport::RawPeer peer;
  ASSERT_TRUE(peer.Connect(port_));
  auto welcome = peer.Handshake();
  ASSERT_TRUE(welcome);
  EXPECT_EQ(welcome->name, "abcdefghijklmno");
  EXPECT_EQ(dialogResult, kNotYet);
  run_.Advance(5000);
  EXPECT_EQ(dialogResult, 1);
  EXPECT_EQ(Snapshot(), before_);
}

TEST_F(NetDialogTest, AFailedJoinShowsForFiveSecondsThenGivesZero) {
  run_.PostAll({{MsgKeyDown, kKeyDown, 0}, {MsgKeyDown, kKeyEnter, 0}});
  Type("127.0.0.1:" + std::to_string(testsupport::FreePort()));
  run_.KeyDown(kKeyEnter);
  EXPECT_TRUE(testsupport::MatchesGolden(ResultLine(), "net/dialog_join_failed"));
  run_.Advance(4999);
  EXPECT_EQ(dialogResult, kNotYet);
  EXPECT_NE(Snapshot(), before_);
  run_.Advance(1);
  EXPECT_EQ(dialogResult, 0);
  EXPECT_EQ(Snapshot(), before_);
  // The failed join left no game open.
  EXPECT_EQ(NetHost("after"), 1);
}

TEST_F(NetDialogTest, TheCaretBlinksWithTheSecondBetweenMessages) {
  run_.KeyDown(kKeyEnter);
  EXPECT_TRUE(CaretShown());
  EXPECT_EQ(caretHidden, 0);
  run_.Advance(1000);
  EXPECT_TRUE(CaretShown());  // no Message, no look at the clock
  run_.KeyUp('A');
  EXPECT_FALSE(CaretShown());
  run_.KeyUp('A');
  EXPECT_FALSE(CaretShown());  // the same second
  run_.Advance(1000);
  run_.KeyUp('A');
  EXPECT_TRUE(CaretShown());
  run_.KeyDown(kKeyEscape);
  EXPECT_EQ(caretHidden, 1);
}

}  // namespace
