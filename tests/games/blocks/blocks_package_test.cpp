// The falling-blocks package as the build made it, the background's painter,
// and the end screen of a won game drawn by the view.

#include <gtest/gtest.h>

#include "content/blocks/background.h"
#include "games/blocks/blocks_pictures.h"
#include "games/blocks/blocks_view.h"
#include "host/device_api.h"
#include "tests/support/golden.h"
#include "tests/support/host_screen.h"

namespace {

// The package found as the game finds it, relative to this program.
std::string PackagePath() {
  char path[600];
  ModulePath(path, "..\\Games\\blocks\\E1_els.dat");
  return path;
}

class BlocksPackageTest : public testsupport::ScreenTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScreenTest::SetUp());
    ASSERT_EQ(MemVctInit(), 1);
    ASSERT_EQ(SetScreenMode(240, 320, 32), 1);
  }
  void TearDown() override { EXPECT_EQ(MemLiveBlocks(), 0); }
};

TEST_F(BlocksPackageTest, EveryPictureLoadsPlainWithItsSize) {
  void* package = ResOpen(PackagePath().c_str());
  ASSERT_NE(package, nullptr) << PackagePath();
  std::vector<blocks::PictureId> pictures{blocks::kBackgroundPicture, blocks::kBlockPicture,
                                          blocks::kPreviewBlockPicture};
  pictures.insert(pictures.end(), std::begin(blocks::kDigitPictures), std::end(blocks::kDigitPictures));
  for (const blocks::PictureId& picture : pictures) {
    ImageRef image{};
    EXPECT_NE(ResLoadImage(&image, 1, picture.id, package), nullptr) << picture.id;
    EXPECT_EQ(image.flags, kImageLoaded) << picture.id;
    int32_t width = 0, height = 0;
    EXPECT_EQ(GetImageInfo(image, &width, &height), 1) << picture.id;
    EXPECT_EQ(width, picture.width) << picture.id;
    EXPECT_EQ(height, picture.height) << picture.id;
  }
  ResClose(package);
}

TEST(BlocksBackground, TheWellIsBlackAndThePlateMatchesTheDigits) {
  const plat::Image background = blocks_art::PaintBackground();
  ASSERT_EQ(background.width, 240);
  ASSERT_EQ(background.height, 320);
  // Empty cells are drawn black over the inside of the well; the frame
  // round it and the preview box's ring are not black.
  for (int y = 9; y <= 308; ++y) {
    for (int x = 45; x <= 194; ++x) ASSERT_EQ(background.at(x, y), 0u) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{44, 100}, {195, 100}, {100, 8}, {100, 309}, {7, 70}, {35, 70}}) {
    EXPECT_NE(background.at(x, y), 0u) << x << "," << y;
  }
  // The digits are drawn opaque, so the plate round them has their colour.
  for (int y = 66; y <= 79; ++y) {
    for (int x = 202; x <= 237; ++x) ASSERT_EQ(background.at(x, y), blocks_art::kDigitPlate) << x << "," << y;
  }
}

TEST_F(BlocksPackageTest, AWonGameEndsWithTheCongratulation) {
  blocks::View view;
  ASSERT_TRUE(view.Open(PackagePath().c_str()));
  view.Background();
  view.Score(600);
  view.EndScreen({true, 600, 6});
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "games/blocks/end_won"));
  view.Close();
}

}  // namespace
