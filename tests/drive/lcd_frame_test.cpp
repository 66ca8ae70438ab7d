#include "drive/lcd_frame.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/sys/shm.h"
#include "protocol/windows.h"
#include "tests/support/test_instance.h"

namespace drive {
namespace {

class LcdFrameTest : public ::testing::Test {
 protected:
  // Makes the host's block with `words` 32-bit words of 0x11000000 + index.
  uint32_t* MakeBlock(std::size_t words) {
    mapping_ = plat::CreateFileMappingA(kScreenBlockName, words * 4);
    EXPECT_NE(mapping_, nullptr);
    auto* pixels = static_cast<uint32_t*>(plat::MapViewOfFile(mapping_));
    for (std::size_t i = 0; i < words; ++i) pixels[i] = 0x11000000u + uint32_t(i);
    return pixels;
  }
  void TearDown() override {
    if (mapping_) plat::CloseFileMapping(mapping_);
  }

  testsupport::TestInstance instance_;
  plat::FileMapping* mapping_ = nullptr;
  std::string error_;
};

TEST_F(LcdFrameTest, CopiesTheBlockAndDropsTheTopByte) {
  MakeBlock(4 * 3);
  LcdFrame frame(4, 3);
  ASSERT_TRUE(frame.CopyFromBlock(&error_)) << error_;
  uint64_t sequence = 0;
  plat::Image image = frame.Snapshot(&sequence);
  EXPECT_EQ(sequence, 1u);
  ASSERT_EQ(image.width, 4);
  ASSERT_EQ(image.height, 3);
  EXPECT_EQ(image.at(0, 0), 0u);
  EXPECT_EQ(image.at(3, 2), 11u);
}

// Five pixels a row do not fill whole groups of four; the second copy must
// replace the first one completely.
TEST_F(LcdFrameTest, EachCopyShowsTheNewestBlockWithoutTopBytes) {
  uint32_t* block = MakeBlock(5 * 3);
  LcdFrame frame(5, 3);
  ASSERT_TRUE(frame.CopyFromBlock(&error_)) << error_;
  for (uint32_t i = 0; i < 15; ++i) block[i] = 0xEE000000u | (0x10101u * (i + 1));
  ASSERT_TRUE(frame.CopyFromBlock(&error_)) << error_;
  uint64_t sequence = 0;
  plat::Image image = frame.Snapshot(&sequence);
  EXPECT_EQ(sequence, 2u);
  ASSERT_EQ(image.pixels.size(), 15u);
  for (uint32_t i = 0; i < 15; ++i) EXPECT_EQ(image.pixels[i], 0x10101u * (i + 1)) << i;
}

TEST_F(LcdFrameTest, FollowsAModeWithPaddedRows) {
  MakeBlock(4 * 3);
  LcdFrame frame(4, 3);
  // Two pixels wide, rows of three words: the third word of each row is padding.
  const ScreenModeRecord mode{2, 4, 16, 12 * 4, 0, 0, 0, 0};
  ASSERT_TRUE(frame.ChangeMode(mode, &error_)) << error_;
  ASSERT_TRUE(frame.CopyFromBlock(&error_)) << error_;
  plat::Image image = frame.Snapshot();
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 4);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0, 1, 3, 4, 6, 7, 9, 10}));
}

TEST_F(LcdFrameTest, RefusesModesThatDoNotFit) {
  LcdFrame frame(4, 3);
  const ScreenModeRecord bad[] = {
      {0, 240, 32, 0, 0, 0, 0, 0},
      {320, -1, 32, 320 * 4, 0, 0, 0, 0},
      {5000, 1, 32, 5000 * 4, 0, 0, 0, 0},
      {320, 240, 32, 320 * 240 * 2, 0, 0, 0, 0},       // 16-bit rows
      {320, 240, 32, 320 * 240 * 4 + 1, 0, 0, 0, 0},   // not whole rows
  };
  for (const ScreenModeRecord& mode : bad) {
    EXPECT_FALSE(frame.ChangeMode(mode, &error_)) << mode.width << "x" << mode.height;
  }
  // The old mode still holds.
  MakeBlock(4 * 3);
  ASSERT_TRUE(frame.CopyFromBlock(&error_));
  EXPECT_EQ(frame.Snapshot().width, 4);
}

TEST_F(LcdFrameTest, AMissingOrShortBlockLeavesTheFrame) {
  LcdFrame frame(4, 3);
  EXPECT_FALSE(frame.CopyFromBlock(&error_));
  MakeBlock(4 * 3);
  ASSERT_TRUE(frame.CopyFromBlock(&error_));
  ScreenModeRecord larger{8, 8, 32, 8 * 8 * 4, 0, 0, 0, 0};
  ASSERT_TRUE(frame.ChangeMode(larger, &error_));
  EXPECT_FALSE(frame.CopyFromBlock(&error_));
  EXPECT_NE(error_.find("256"), std::string::npos);
  EXPECT_EQ(frame.Sequence(), 1u);
  EXPECT_EQ(frame.Snapshot().width, 4);
}

TEST_F(LcdFrameTest, SeesABlockThatGrewAfterItWasMapped) {
  MakeBlock(4 * 3);
  LcdFrame frame(4, 3);
  ASSERT_TRUE(frame.CopyFromBlock(&error_));
  // The host remakes the block larger for a new mode while the old one is mapped.
  plat::FileMapping* grown = plat::CreateFileMappingA(kScreenBlockName, 8 * 8 * 4);
  ASSERT_NE(grown, nullptr);
  auto* pixels = static_cast<uint32_t*>(plat::MapViewOfFile(grown));
  pixels[63] = 0xFF123456;
  ScreenModeRecord larger{8, 8, 32, 8 * 8 * 4, 0, 0, 0, 0};
  ASSERT_TRUE(frame.ChangeMode(larger, &error_));
  ASSERT_TRUE(frame.CopyFromBlock(&error_)) << error_;
  EXPECT_EQ(frame.Snapshot().at(7, 7), 0x123456u);
  plat::UnmapViewOfFile(pixels);
  plat::CloseFileMapping(grown);
}

}  // namespace
}  // namespace drive
