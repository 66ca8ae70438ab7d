#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "host/canvas.h"
#include "host/text.h"
#include "platform/sys/shm.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/support/host_screen.h"

namespace {

using namespace testsupport;

uint32_t Low32(const void* address) { return uint32_t(reinterpret_cast<uintptr_t>(address)); }

// The size, depth and byte count of the screen and of a mode record.
auto Size(const Canvas& s) { return std::tuple(s.width, s.height, s.bitsPerPixel, s.byteSize); }
auto Size(const ScreenModeRecord& m) { return std::tuple(m.width, m.height, m.bitsPerPixel, m.byteSize); }

using LcdTest = ScreenTest;

TEST_F(LcdTest, WithoutIniTheScreenIs320By240AndTheViewerRepaintsOnce) {
  EXPECT_EQ(Size(hostScreen), std::tuple(320, 240, 32, 320u * 4 * 240));
  EXPECT_EQ(hostScreen.window, viewer->hwnd());
  EXPECT_EQ(viewer->Messages(), std::vector<plat::UINT>{kLcdRepaintMessage});
  EXPECT_GE(viewer->LastFrame().size(), hostScreen.byteSize);
}

class LcdIniTest : public ScreenTest {
 protected:
  void SetUp() override {
    env.WriteIni("[LCD]\nwidth=160\nheight=128\nbitperpixel=16\n");
    ScreenTest::SetUp();
  }
};

TEST_F(LcdIniTest, IniSizesShapeTheBackBufferAndTheSharedBlock) {
  // The back buffer keeps the display's 32-bit format whatever the ini says.
  EXPECT_EQ(Size(hostScreen), std::tuple(160, 128, 16, 160u * 4 * 128));
  EXPECT_EQ(plat::ViewSize(hostScreen.pixels), hostScreen.byteSize);
  Canvas* c = CanvasCreate();
  EXPECT_EQ(std::pair(c->width, c->height), std::pair(160, 128));
  CanvasFree(c);
}

TEST_F(LcdTest, FlushCopiesTheBackBufferIntoTheSharedBlockBeforeTheRepaint) {
  PutPixel(2, 1, 0x00112233, nullptr);
  EXPECT_EQ(viewer->Repaints(), 2);
  const std::size_t at = (1 * 320 + 2) * 4;
  const std::vector<uint8_t> frame = viewer->LastFrame();
  ASSERT_GE(frame.size(), at + 4);
  // Blue, green, red, reserved.
  EXPECT_EQ(std::vector<uint8_t>(frame.begin() + at, frame.begin() + at + 4),
            (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x00}));
  EXPECT_EQ(FlushScreen(), 1);
}

TEST_F(LcdTest, SetScreenModeSendsTheModeRecordAndNoRepaint) {
  ASSERT_EQ(SetScreenMode(160, 128, 16), 1);
  EXPECT_EQ(viewer->Repaints(), 1);
  ASSERT_EQ(ResetScreenMode(), 1);
  const auto modes = viewer->Records<ScreenModeRecord>(kScreenModeCopyData);
  ASSERT_EQ(modes.size(), 2u);
  EXPECT_EQ(Size(modes[0]), std::tuple(160, 128, 16, 160u * 4 * 128));
  EXPECT_EQ(Size(modes[1]), std::tuple(320, 240, 32, 320u * 4 * 240));
  EXPECT_EQ(Size(modes[1]), Size(hostScreen));
  // The handles the host holds, as the original's 32-bit values.
  EXPECT_EQ(std::tuple(modes[1].dc, modes[1].bitmap, modes[1].window, modes[1].pixels),
            std::tuple(Low32(hostScreen.dc), Low32(hostScreen.bitmap), Low32(viewer->hwnd()),
                       Low32(hostScreen.pixels)));
}

TEST_F(LcdTest, OldCanvasesKeepTheirSizeWhileCopyAndClearUseTheNewScreen) {
  Canvas* old = CanvasCreate();
  ASSERT_NE(old, nullptr);
  FillRectColor(0, 0, 319, 239, 0x0000FF, old);
  ASSERT_EQ(SetScreenMode(160, 96, 32), 1);
  EXPECT_EQ(old->width, 320);
  CanvasClear(old);
  EXPECT_EQ(GetPixelColor(159, 95, old), 0xFFFFFFu);
  EXPECT_EQ(GetPixelColor(160, 95, old), 0x0000FFu);
  EXPECT_EQ(GetPixelColor(159, 96, old), 0x0000FFu);
  // The screen is now 160 by 96: a copy fills exactly that.
  FillRectColor(0, 0, 319, 239, 0x00FF00, old);
  EXPECT_EQ(CanvasCopy(nullptr, old), 1);
  EXPECT_EQ(CountColor(nullptr, 0x00FF00, 160, 96), 160 * 96);
  EXPECT_EQ(GetPixelColor(160, 0, nullptr), 0xFFFFFFFFu);
  CanvasFree(old);
}

TEST_F(LcdTest, ReleaseTwiceAndDrawingAfterReleaseAreHarmless) {
  EXPECT_EQ(LcdVctRelease(), 1);
  EXPECT_EQ(LcdVctRelease(), 1);
  EXPECT_EQ(Size(hostScreen), std::tuple(320, 240, 32, 320u * 4 * 240));
  FillRectColor(0, 0, 9, 9, 0, nullptr);
  EXPECT_EQ(GetPixelColor(0, 0, nullptr), 0xFFFFFFFFu);
  // The viewer is still there and still told.
  EXPECT_EQ(FlushScreen(), 1);
}

TEST_F(LcdTest, AModeChangeStartsAMissingViewerFromTheCurrentFolder) {
  viewer.reset();
  // A stand-in program that notes its arguments and ends without a window.
  const std::string program = env.RootPath("Lcd/Lcd");
  WriteFile(program, "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/args\"\n");
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  EXPECT_EQ(SetScreenMode(160, 128, 16), 0);
  EXPECT_EQ(ReadFile(env.RootPath("Lcd/args")), "160 128\n");
}

TEST(LcdStartTest, WithoutViewerAndWithoutItsProgramStartFails) {
  HostEnv env;
  EXPECT_EQ(LcdVctInit(), 0);
  // The back buffer was made and stays until released.
  EXPECT_NE(hostScreen.bitmap, nullptr);
  EXPECT_EQ(LcdVctRelease(), 1);
  EXPECT_EQ(hostScreen.bitmap, nullptr);
}

TEST(LcdStartTest, ImpossibleSizesFailWithoutCrashing) {
  HostEnv env;
  auto viewer = StandinCompanion::Viewer();
  env.WriteIni("[LCD]\nwidth=0\nheight=240\n");
  EXPECT_EQ(LcdVctInit(), 0);
  EXPECT_EQ(SetScreenMode(-5, 10, 32), 0);
  EXPECT_EQ(SetScreenMode(100000, 100000, 32), 0);
  EXPECT_EQ(viewer->Repaints(), 0);
}

}  // namespace
