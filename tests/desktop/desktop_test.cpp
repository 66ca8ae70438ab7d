// The Desktop with its own table (the game) and with stand-in tables, run in
// the whole host on the virtual clock.

#include "desktop/desktop.h"

#include <gtest/gtest.h>

#include <vector>

#include "desktop/testapp/test_app.h"
#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "tests/desktop/host_run.h"

namespace desktop_test {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

// Where the game's label lies: 6 bytes of "Velmor" centred under the icon
// at (20, 0), 12 pixels high.
constexpr Box kGameLabel{18, 38, 53, 49};

std::vector<ScreenModeRecord> NewModes(const HostRun& host, std::size_t before) {
  std::vector<ScreenModeRecord> modes = host.viewer->Modes();
  modes.erase(modes.begin(), modes.begin() + long(before));
  return modes;
}

void ExpectModes(const std::vector<ScreenModeRecord>& modes,
                 const std::vector<std::pair<int, int>>& sizes) {
  ASSERT_EQ(modes.size(), sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    EXPECT_EQ(modes[i].width, sizes[i].first) << i;
    EXPECT_EQ(modes[i].height, sizes[i].second) << i;
  }
}

// A picture of the run tree drawn on a fresh canvas at (x, y); pixels of
// the canvas outside it stay white.
Canvas* PictureCanvas(const char* relative, int16_t x, int16_t y, int16_t w, int16_t h) {
  char path[600];
  ModulePath(path, relative);
  ImageRef image{};
  EXPECT_EQ(LoadBmpFile(&image, path, 0), 1) << path;
  Canvas* canvas = CanvasCreate();
  CanvasClear(canvas);
  DrawImage(x, y, w, h, 0, 0, image, canvas, 0);
  ImageFree(&image);
  return canvas;
}

TEST(DesktopTest, ShowsTheBackgroundTheIconAndTheSelectedLabel) {
  HostRun host(DesktopMain);
  Canvas* background = PictureCanvas("..\\AppEntry\\desktop.bmp", 0, 0, 320, 240);
  Canvas* icon = PictureCanvas("..\\AppEntry\\icon1.bmp", 20, 0, 32, 32);
  int iconPixels = 0;
  for (int16_t y = 0; y < 240; ++y) {
    for (int16_t x = 0; x < 320; ++x) {
      const bool inLabel = x >= 18 && x <= 53 && y >= 38 && y <= 49;
      const bool inIcon = x >= 20 && x < 52 && y < 32 && GetPixelColor(x, y, icon) != kMagenta;
      if (inLabel) continue;
      const uint32_t expected = GetPixelColor(x, y, inIcon ? icon : background);
      ASSERT_EQ(GetPixelColor(x, y, nullptr), expected) << x << ", " << y;
      iconPixels += inIcon;
    }
  }
  CanvasFree(icon);
  CanvasFree(background);
  EXPECT_GT(iconPixels, 100);
  EXPECT_EQ(FindColor(kLabelSelectedColor, 0, 30, 80, 30), kGameLabel);
  EXPECT_GE(FindColor(kLabelTextColor, 18, 38, 36, 12).left, 0);
  EXPECT_EQ(GetDesktopState().appCount, 1);
}

TEST(DesktopTest, ArrowsKeepTheOnlyRowSelectedAndRedrawOnlyItsLabel) {
  HostRun host(DesktopMain);
  const std::vector<uint32_t> before = Snapshot();
  const int repaints = host.viewer->Repaints();
  const std::size_t modes = host.viewer->Modes().size();
  for (uint32_t key : {kKeyLeft, kKeyUp, kKeyRight, kKeyDown}) {
    host.KeyDown(key);
    EXPECT_EQ(GetDesktopState().selected, 0);
  }
  // Two label prints per key, both straight to the screen.
  EXPECT_EQ(host.viewer->Repaints(), repaints + 8);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(NewModes(host, modes).empty());
}

TEST(DesktopTest, EnterRunsTheGameAndTheDesktopComesBackInItsOwnMode) {
  HostRun host(DesktopMain);
  const std::vector<uint32_t> before = Snapshot();
  const std::size_t modes = host.viewer->Modes().size();
  host.KeyDown(kKeyEnter);
  // Without a data library the game gives up at once, and hands the screen
  // back at the Desktop's size.
  ExpectModes(NewModes(host, modes), {{160, 96}, {320, 240}});
  EXPECT_EQ(hostScreen.width, 320);
  EXPECT_EQ(hostScreen.height, 240);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(GetDesktopState().selected, 0);
  EXPECT_EQ(GetDesktopState().highlighted, 0);
}

TEST(DesktopTest, OnlyADoubleClickInsideTheIconAreaLaunches) {
  HostRun host(DesktopMain);
  const std::size_t modes = host.viewer->Modes().size();
  host.DoubleClick(20, 1);
  host.DoubleClick(52, 1);
  host.DoubleClick(21, 54);
  host.Click(21, 1);
  host.KeyUp(kKeyEnter);
  EXPECT_TRUE(NewModes(host, modes).empty());
  host.DoubleClick(51, 53);
  ExpectModes(NewModes(host, modes), {{160, 96}, {320, 240}});
  host.DoubleClick(21, 1);
  EXPECT_EQ(NewModes(host, modes).size(), 4u);
}

TEST(DesktopTest, EscapeEndsTheDesktopAndTheHostAtOnce) {
  HostRun host(DesktopMain);
  const std::size_t modes = host.viewer->Modes().size();
  host.PostAll({{MsgKeyDown, kKeyEscape, 0}, {MsgKeyDown, kKeyEnter, 0}});
  host.Join();
  EXPECT_TRUE(NewModes(host, modes).empty());
  // Nothing the Desktop drew is left behind in the memory pool.
  EXPECT_TRUE(plat::RecordedMessageBoxes().empty());
}

TEST(DesktopTest, PendingF2RedrawsTheSelectedLabelEachTimeItComesBack) {
  HostRun host(DesktopMain);
  const int repaints = host.viewer->Repaints();
  // Escape arrives while the third F2 is being drawn, so it is taken after
  // the fourth.
  host.viewer->onRepaint = [repaints](int number) {
    if (number == repaints + 6) PostMsg(MsgKeyDown, kKeyEscape, 0);
  };
  host.KeyDown(kKeyF2);
  host.Join();
  EXPECT_EQ(host.viewer->Repaints(), repaints + 8);
}

TEST(DesktopTest, TheHostRunsTheDesktopAndTheTestApplicationByName) {
  ASSERT_NE(FindApp("desktop"), nullptr);
  EXPECT_EQ(FindApp("desktop")->entry, DesktopMain);
  ASSERT_NE(FindApp("testapp"), nullptr);
  EXPECT_EQ(FindApp("testapp")->entry, TestAppMain);
}

}  // namespace
}  // namespace desktop_test
