// The real viewer, started headless in a private instance and driven the
// way the host drives it (that it ends on WM_CLOSE is seen end to end, in
// tests/e2e).

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/png.h"
#include "platform/sys/shm.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "protocol/windows.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch.h"
#include "tests/support/standin_companion.h"
#include "tests/support/test_instance.h"

namespace {

using testsupport::SendCopyData;

class ViewerProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The host makes the block before it starts the viewer.
    mapping_ = plat::CreateFileMappingA(kScreenBlockName, 4 * 3 * 4);
    ASSERT_NE(mapping_, nullptr);
    pixels_ = static_cast<uint32_t*>(plat::MapViewOfFile(mapping_));
    ASSERT_TRUE(viewer_.Start({LCD_PROGRAM, "4", "3", "--headless"}, testsupport::AwaitReady()));
    window_ = plat::FindWindowA(kLcdClass, kLcdTitle);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    plat::UnmapViewOfFile(pixels_);
    plat::CloseFileMapping(mapping_);
  }

  void Fill(uint32_t base, int words) {
    for (int i = 0; i < words; ++i) pixels_[i] = base + uint32_t(i);
  }
  plat::LRESULT Repaint() { return plat::SendMessageA(window_, kLcdRepaintMessage, 0, 0); }
  plat::LRESULT SendMode(const ScreenModeRecord& record,
                         std::size_t size = sizeof(ScreenModeRecord)) {
    return SendCopyData(window_, kScreenModeCopyData, &record, size);
  }
  // The frame the viewer holds, read back through a PNG it writes.
  plat::Image ShownFrame() {
    const std::string path = folder_ / "frame.png";
    if (SendCopyData(window_, kLcdSaveFrameCopyData, path.data(), path.size()) != 1) return {};
    auto image = plat::ReadPngFile(path);
    EXPECT_TRUE(image) << image.error().Text();
    return image ? *image : plat::Image();
  }
  plat::LRESULT FrameSize() { return plat::SendMessageA(window_, kLcdQueryFrameSize, 0, 0); }

  testsupport::TestInstance instance_;
  plat::FileMapping* mapping_ = nullptr;
  uint32_t* pixels_ = nullptr;
  testsupport::ChildProcess viewer_;
  plat::HWND window_ = nullptr;
  testsupport::ScratchDir folder_;
};

TEST_F(ViewerProgramTest, CopiesTheBlockBeforeItAnswers) {
  EXPECT_EQ(FrameSize(), 0);
  EXPECT_TRUE(ShownFrame().pixels.empty());
  Fill(0xAA000100, 12);
  ASSERT_EQ(Repaint(), 1);
  // The host draws again at once; the viewer keeps what it was shown.
  Fill(0x00000200, 12);
  plat::Image image = ShownFrame();
  ASSERT_EQ(image.width, 4);
  ASSERT_EQ(image.height, 3);
  EXPECT_EQ(image.at(0, 0), 0x000100u);
  EXPECT_EQ(image.at(3, 2), 0x00010Bu);
  EXPECT_EQ(FrameSize(), 4 | 3 << 16);
  EXPECT_EQ(plat::SendMessageA(window_, kLcdQueryFrameCount, 0, 0), 1);
  ASSERT_EQ(Repaint(), 1);
  EXPECT_EQ(ShownFrame().at(1, 0), 0x000201u);
  EXPECT_EQ(plat::SendMessageA(window_, kLcdQueryFrameCount, 0, 0), 2);
}

TEST_F(ViewerProgramTest, FollowsAModeChangeAtTheNextRepaint) {
  Fill(0x100, 12);
  ASSERT_EQ(Repaint(), 1);
  // The host remakes the block for 2 by 2 and announces the mode.
  plat::UnmapViewOfFile(pixels_);
  plat::CloseFileMapping(mapping_);
  mapping_ = plat::CreateFileMappingA(kScreenBlockName, 2 * 2 * 4);
  ASSERT_NE(mapping_, nullptr);
  pixels_ = static_cast<uint32_t*>(plat::MapViewOfFile(mapping_));
  ASSERT_EQ(SendMode({2, 2, 16, 16, 1, 2, 3, 4}), 1);
  EXPECT_EQ(FrameSize(), 4 | 3 << 16);  // until the next repaint
  Fill(0x300, 4);
  ASSERT_EQ(Repaint(), 1);
  EXPECT_EQ(FrameSize(), 2 | 2 << 16);
  plat::Image image = ShownFrame();
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x300, 0x301, 0x302, 0x303}));
}

TEST_F(ViewerProgramTest, IgnoresModesAndRepaintsItCannotFollow) {
  ASSERT_EQ(Repaint(), 1);
  EXPECT_EQ(SendMode({0, 2, 32, 0, 0, 0, 0, 0}), 0);
  // A mode larger than the block: repaints fail and keep the last frame.
  ASSERT_EQ(SendMode({64, 64, 32, 64 * 64 * 4, 0, 0, 0, 0}), 1);
  EXPECT_EQ(Repaint(), 0);
  EXPECT_EQ(FrameSize(), 4 | 3 << 16);
  EXPECT_EQ(SendMode(ScreenModeRecord{}, 16), 0);
}

}  // namespace
