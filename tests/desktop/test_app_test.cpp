// The test application in the whole host: pictures and text at start, the
// tick counter on the virtual clock, sound keys and the way out.

#include "desktop/testapp/test_app.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "host/device_api.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "tests/desktop/host_run.h"

namespace desktop_test {
namespace {

// As the Desktop starts it.
void LaunchTestApp() {
  PrepareLaunch();
  TestAppMain();
}

// Whether the screen's w by h area at (x, y) shows exactly `text` printed
// there in the application's font and colours.
bool ShowsText(const char* text, int16_t x, int16_t y, int w, int h) {
  Canvas* expected = CanvasCreate();
  CanvasClear(expected);
  SelectFont(3, expected);
  SetBackColor(0xFFFFFF, expected);
  SetForeColor(0x000000, expected);
  DrawText(x, y, text, expected);
  bool same = true;
  for (int16_t row = y; row < y + h && same; ++row) {
    for (int16_t col = x; col < x + w && same; ++col) {
      same = GetPixelColor(col, row, nullptr) == GetPixelColor(col, row, expected);
    }
  }
  CanvasFree(expected);
  return same;
}

class TestAppTest : public ::testing::Test {
 protected:
  HostRun host{LaunchTestApp};
};

TEST_F(TestAppTest, DrawsTheSceneTheGemAndTwoLines) {
  char path[600];
  ModulePath(path, "..\\AppEntry\\resource.dat");
  void* package = ResOpen(path);
  ASSERT_NE(package, nullptr);
  ImageRef scene{};
  ASSERT_NE(ResLoadImage(&scene, 0, 691456, package), nullptr);
  Canvas* expected = CanvasCreate();
  DrawImage(150, 180, 60, 60, 110, 160, scene, expected, 0);
  for (int16_t y = 180; y < 240; ++y) {
    for (int16_t x = 150; x < 210; ++x) {
      ASSERT_EQ(GetPixelColor(x, y, nullptr), GetPixelColor(x, y, expected)) << x << ", " << y;
    }
  }
  CanvasFree(expected);
  ResClose(package);

  // The gem is keyed: some of its square shows the white screen behind it.
  int white = 0;
  for (int16_t y = 100; y < 128; ++y) {
    for (int16_t x = 100; x < 128; ++x) white += GetPixelColor(x, y, nullptr) == 0xFFFFFF;
  }
  EXPECT_GT(white, 0);
  EXPECT_LT(white, 28 * 28);
  EXPECT_TRUE(ShowsText("在测试程序中。", 0, 0, 320, 16));
  EXPECT_TRUE(ShowsText("这里添加应用程序的实现代码。", 0, 16, 320, 16));
}

TEST_F(TestAppTest, TheTenthTickPrintsNine) {
  host.Advance(900);
  EXPECT_TRUE(ShowsText("timer counter = 8", 0, 40, 320, 16));
  host.Advance(100);
  EXPECT_TRUE(ShowsText("timer counter = 9", 0, 40, 320, 16));
  EXPECT_FALSE(ShowsText("timer counter = 8", 0, 40, 320, 16));
}

TEST_F(TestAppTest, LetterKeysSendTheirSoundCommands) {
  for (char key : std::string("QWASDFGHJK")) host.KeyDown(uint32_t(key));
  struct Expected {
    int32_t op, channel, loops;
    const char* path;
  };
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
  const std::vector<SoundRecord> sent = host.player->Sounds();
  ASSERT_EQ(sent.size(), std::size(table));
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].op, table[i].op) << i;
    EXPECT_EQ(sent[i].channel, table[i].channel) << i;
    EXPECT_EQ(sent[i].loops, table[i].loops) << i;
    EXPECT_STREQ(sent[i].path, table[i].path) << i;
  }
}

TEST_F(TestAppTest, OtherKeysAndKeyUpsSendNothing) {
  for (char key : std::string("ZELa1")) host.KeyDown(uint32_t(key));
  for (char key : std::string("QWASDFGHJK")) host.KeyUp(uint32_t(key));
  host.Post(MsgChar, 'Q', 0);
  EXPECT_TRUE(host.player->Sounds().empty());
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
}  // namespace desktop_test
