// The built package as the game opens it: every picture the game names, its
// size and kind, and the looks the drawing relies on.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "games/tiles/tiles_package.h"
#include "games/tiles/tiles_rules.h"
#include "games/tiles/tiles_view.h"
#include "host/device_api.h"
#include "platform/gdi/bitmap_image.h"
#include "tests/support/host_screen.h"

namespace {

using namespace tiles;

class TilesPackageTest : public testsupport::ScreenTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScreenTest::SetUp());
    ASSERT_EQ(MemVctInit(), 1);
    char path[260 + sizeof kPackagePath];
    ModulePath(path, kPackagePath);
    package = ResOpen(path);
    ASSERT_NE(package, nullptr) << path;
  }
  void TearDown() override { ResClose(package); }

  ImageRef Load(uint32_t id, int width, int height, uint32_t flags) {
    return testsupport::ExpectImage(package, id, width, height, flags);
  }

  // The transparent pixels of a keyed picture: white in its mask.
  static int KeyPixels(const ImageRef& image) {
    if (!image.mask) return 0;
    int count = 0;
    for (uint32_t pixel : plat::ImageFromBitmap(*image.mask).pixels) count += pixel == 0xFFFFFF;
    return count;
  }

  void* package = nullptr;
};

TEST_F(TilesPackageTest, EveryPictureLoadsWithItsSizeAndKindAndTheSelectedKindsDiffer) {
  constexpr uint32_t kKeyed = kImageLoaded | kImageMasked;
  Load(kBackgroundId, 240, 320, kImageLoaded);
  // The marker is drawn transparent over the board: most of its cell shows through.
  EXPECT_GT(KeyPixels(Load(kMarkerId, 24, 24, kKeyed)), 24 * 24 / 2);
  // Every normal tile shows in the tiles replay's deal golden; few selected
  // ones do. A selected tile covers its cell.
  std::set<std::vector<uint32_t>> selected;
  for (int kind = 1; kind <= kKinds; ++kind) {
    Load(TileId(kind), 24, 24, kKeyed);
    const ImageRef lit = Load(LitTileId(kind), 24, 24, kKeyed);
    EXPECT_EQ(KeyPixels(lit), 0) << kind;
    selected.insert(plat::ImageFromBitmap(*lit.bitmap).pixels);
  }
  EXPECT_EQ(selected.size(), size_t(kKinds));
  TilesPictures pictures{};
  EXPECT_TRUE(LoadPictures(package, &pictures));
}

}  // namespace
