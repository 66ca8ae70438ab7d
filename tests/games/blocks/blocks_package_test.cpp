// The falling-blocks package as the build made it and the end screen of a
// won game drawn by the view.

#include <gtest/gtest.h>

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
  pictures.insert(pictures.end(), std::begin(blocks::kDigitPictures),
                  std::end(blocks::kDigitPictures));
  for (const blocks::PictureId& picture : pictures) {
    testsupport::ExpectImage(package, picture.id, picture.width, picture.height, kImageLoaded);
  }
  ResClose(package);
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
