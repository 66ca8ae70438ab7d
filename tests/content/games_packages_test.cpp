// The games' picture packages as the build made them: every picture a game
// names is there with its size and kind, nothing else is, and the pictures
// drawn over others show.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <iterator>
#include <string>
#include <vector>

#include "format/package/package_format.h"
#include "games/blocks/blocks_pictures.h"
#include "games/numgrid/numgrid_pictures.h"
#include "games/pairs/pairs_package.h"
#include "games/tiles/tiles_package.h"
#include "games/tiles/tiles_rules.h"
#include "platform/gdi/bmp.h"
#include "tests/support/scratch.h"

namespace {

constexpr uint32_t kKeyColor = 0xFF00FF;  // transparent in a keyed picture

// A picture as its game names it: id (its offset in the package), size, kind.
struct Named {
  uint32_t id;
  int width, height;
  bool keyed;
};

// One built package, read whole.
class Package {
 public:
  explicit Package(const std::string& name)
      : text_(testsupport::ReadFile(std::string(GAMES_DIR) + "/" + name)) {
    auto index = pkgfmt::ReadPackage(
        {reinterpret_cast<const uint8_t*>(text_.data()), text_.size()});
    EXPECT_TRUE(index) << name << ": " << (index ? "" : index.error().Text());
    if (index) index_ = std::move(*index);
  }

  std::size_t Size() const { return index_.entries.size(); }

  // The picture decoded, checked against what its game expects of it.
  plat::Image Load(const Named& picture) const {
    const pkgfmt::PackageEntry* entry = pkgfmt::FindImage(index_, picture.id);
    EXPECT_TRUE(entry) << "no usable picture " << picture.id;
    if (!entry) return {};
    EXPECT_EQ(entry->kind, picture.keyed ? pkgfmt::kKindKeyed : pkgfmt::kKindPlain) << picture.id;
    const auto decoded = plat::DecodeBmp(entry->bytes);
    EXPECT_TRUE(decoded) << picture.id << ": " << (decoded ? "" : decoded.error().Text());
    if (!decoded) return {};
    EXPECT_EQ(decoded->width, picture.width) << picture.id;
    EXPECT_EQ(decoded->height, picture.height) << picture.id;
    return *decoded;
  }

 private:
  std::string text_;
  pkgfmt::PackageIndex index_;
};

std::vector<Named> BlocksNamed() {
  std::vector<blocks::PictureId> ids{blocks::kBackgroundPicture, blocks::kBlockPicture,
                                     blocks::kPreviewBlockPicture};
  ids.insert(ids.end(), std::begin(blocks::kDigitPictures), std::end(blocks::kDigitPictures));
  std::vector<Named> named;
  for (const blocks::PictureId& id : ids) named.push_back({id.id, id.width, id.height, false});
  return named;
}

std::vector<Named> TilesNamed() {
  std::vector<Named> named{{tiles::kBackgroundId, 240, 320, false},
                           {tiles::kMarkerId, 24, 24, true}};
  for (int kind = 1; kind <= tiles::kKinds; ++kind) {
    named.push_back({tiles::TileId(kind), 24, 24, true});
    named.push_back({tiles::LitTileId(kind), 24, 24, true});
  }
  return named;
}

Named FromNumGrid(const numgrid::Picture& p) { return {p.id, p.width, p.height, p.keyed}; }

std::vector<Named> NumGridNamed() {
  using namespace numgrid;
  std::vector<Picture> pictures{kBackgroundPicture, kDialogPicture, kPressedOkPicture,
                                kPressedCancelPicture};
  const auto add = [&](const auto& list) {
    pictures.insert(pictures.end(), std::begin(list), std::end(list));
  };
  add(kPressedButtonPictures);
  add(kLevelPictures);
  add(kPlayerDigitPictures);
  add(kGivenDigitPictures);
  std::vector<Named> named;
  for (const Picture& p : pictures) named.push_back(FromNumGrid(p));
  return named;
}

std::vector<Named> PairsNamed() {
  std::vector<Named> named;
  for (int i = 0; i < pairs::kPictures; ++i) named.push_back({pairs::PictureId(i), 32, 32, false});
  return named;
}

TEST(GamesPackages, EveryPictureAGameNamesLoadsWithItsSizeAndKindAndNothingElseIsThere) {
  const struct {
    const char* package;
    std::vector<Named> named;
  } games[] = {
      {"blocks/E1_els.dat", BlocksNamed()},
      {"tiles/TovLLK.dat", TilesNamed()},
      {"numgrid/resource.dat", NumGridNamed()},
      {"pairs/resource.dat", PairsNamed()},
  };
  for (const auto& game : games) {
    SCOPED_TRACE(game.package);
    const Package package(game.package);
    for (const Named& picture : game.named) package.Load(picture);
    EXPECT_EQ(package.Size(), game.named.size());
  }
}

// Whether `over`, drawn at (x0, y0), changes a pixel of `under`.
bool Differs(const plat::Image& under, const plat::Image& over, int x0, int y0) {
  for (int y = 0; y < over.height; ++y) {
    for (int x = 0; x < over.width; ++x) {
      if (under.at(x0 + x, y0 + y) != over.at(x, y)) return true;
    }
  }
  return false;
}

int KeyPixels(const plat::Image& image) {
  int count = 0;
  for (uint32_t pixel : image.pixels) count += pixel == kKeyColor;
  return count;
}

TEST(GamesPackages, NumGridHighlightsAndPressedButtonsDifferFromWhatTheyCover) {
  using namespace numgrid;
  const Package package("numgrid/resource.dat");
  const auto load = [&](const Picture& p) { return package.Load(FromNumGrid(p)); };
  const plat::Image background = load(kBackgroundPicture);
  const plat::Image dialog = load(kDialogPicture);
  for (int i = 0; i < kButtonCount; ++i) {
    EXPECT_TRUE(Differs(background, load(kPressedButtonPictures[i]), kButtonLeft[i], kButtonTop))
        << i;
  }
  for (int i = 0; i < kLevelCount; ++i) {
    EXPECT_TRUE(Differs(dialog, load(kLevelPictures[i]), kLevelAt[i].x, kLevelAt[i].y)) << i;
  }
  EXPECT_TRUE(Differs(dialog, load(kPressedOkPicture), kOkAt.x, kOkAt.y));
  EXPECT_TRUE(Differs(dialog, load(kPressedCancelPicture), kCancelAt.x, kCancelAt.y));
}

// The marker is drawn transparent over the board: most of its cell shows
// through. Every normal tile shows in the tiles replay's deal golden; few
// selected ones do: a selected tile covers its cell, and the kinds differ.
TEST(GamesPackages, TilesMarkerShowsTheBoardAndSelectedTilesCoverTheirCellAndDiffer) {
  const Package package("tiles/TovLLK.dat");
  EXPECT_GT(KeyPixels(package.Load({tiles::kMarkerId, 24, 24, true})), 24 * 24 / 2);
  std::set<std::vector<uint32_t>> selected;
  for (int kind = 1; kind <= tiles::kKinds; ++kind) {
    const plat::Image lit = package.Load({tiles::LitTileId(kind), 24, 24, true});
    EXPECT_EQ(KeyPixels(lit), 0) << kind;
    selected.insert(lit.pixels);
  }
  EXPECT_EQ(selected.size(), std::size_t(tiles::kKinds));
}

}  // namespace
