// The built package Games/tiles/TovLLK.dat as the game opens it: every
// picture the game names is there with its size and kind, the selected looks
// have no transparent pixel (they are drawn opaque), and the thirty kinds
// look different.

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

  ImageRef Load(uint32_t id) {
    ImageRef image{};
    EXPECT_NE(ResLoadImage(&image, 1, id, package), nullptr) << std::hex << id;
    return image;
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

TEST_F(TilesPackageTest, EveryPictureTheGameNamesLoadsWithItsSizeAndKind) {
  struct Expected {
    uint32_t id;
    int width, height;
    uint32_t flags;
  };
  std::vector<Expected> expected = {{kBackgroundId, 240, 320, kImageLoaded},
                                    {kMarkerId, 24, 24, kImageLoaded | kImageMasked}};
  for (int kind = 1; kind <= kKinds; ++kind) {
    expected.push_back({TileId(kind), 24, 24, kImageLoaded | kImageMasked});
    expected.push_back({LitTileId(kind), 24, 24, kImageLoaded | kImageMasked});
  }
  for (const Expected& e : expected) {
    const ImageRef image = Load(e.id);
    EXPECT_EQ(image.flags, e.flags) << std::hex << e.id;
    int32_t width = 0, height = 0;
    EXPECT_EQ(GetImageInfo(image, &width, &height), 1) << std::hex << e.id;
    EXPECT_EQ(width, e.width) << std::hex << e.id;
    EXPECT_EQ(height, e.height) << std::hex << e.id;
  }
  TilesPictures pictures{};
  EXPECT_TRUE(LoadPictures(package, &pictures));
}

TEST_F(TilesPackageTest, SelectedLooksAreSolidAndTheThirtyKindsDiffer) {
  std::set<std::vector<uint32_t>> normal, selected;
  for (int kind = 1; kind <= kKinds; ++kind) {
    const ImageRef tile = Load(TileId(kind));
    const ImageRef lit = Load(LitTileId(kind));
    // The board shows round a normal tile's edge; a selected one covers its cell.
    EXPECT_GT(KeyPixels(tile), 0) << kind;
    EXPECT_EQ(KeyPixels(lit), 0) << kind;
    normal.insert(plat::ImageFromBitmap(*tile.bitmap).pixels);
    selected.insert(plat::ImageFromBitmap(*lit.bitmap).pixels);
  }
  EXPECT_EQ(normal.size(), size_t(kKinds));
  EXPECT_EQ(selected.size(), size_t(kKinds));
  // The marker is drawn transparent over the board: most of its cell shows through.
  EXPECT_GT(KeyPixels(Load(kMarkerId)), 24 * 24 / 2);
}

}  // namespace
