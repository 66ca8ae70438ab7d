// The number grid's package as the build made it: every picture the game
// names is there, usable, of the size and kind the game draws it as, and
// the pictures hold what the game relies on.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "format/package/package_format.h"
#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_pictures.h"
#include "platform/gdi/bmp.h"
#include "tests/support/scratch.h"

namespace {

using namespace numgrid;

constexpr uint32_t kMagenta = 0xFF00FF;

class NumGridPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string text = testsupport::ReadFile(NUMGRID_PACKAGE);
    bytes_.assign(text.begin(), text.end());
    auto index = pkgfmt::ReadPackage(bytes_);
    ASSERT_TRUE(index) << index.error().Text();
    index_ = std::move(*index);
  }

  // The picture as the package holds it, checked against what the game
  // expects of it.
  plat::Image Load(const Picture& picture) {
    const pkgfmt::PackageEntry* entry = pkgfmt::FindImage(index_, picture.id);
    if (!entry) {
      ADD_FAILURE() << "no usable picture " << picture.id;
      return {};
    }
    EXPECT_EQ(entry->kind, picture.keyed ? pkgfmt::kKindKeyed : pkgfmt::kKindPlain) << picture.id;
    const auto decoded = plat::DecodeBmp(entry->bytes);
    if (!decoded) {
      ADD_FAILURE() << picture.id << ": " << decoded.error().Text();
      return {};
    }
    EXPECT_EQ(decoded->width, picture.width) << picture.id;
    EXPECT_EQ(decoded->height, picture.height) << picture.id;
    return *decoded;
  }

  std::vector<uint8_t> bytes_;
  pkgfmt::PackageIndex index_;
};

TEST_F(NumGridPackageTest, EveryPictureTheGameNamesLoadsWithItsSizeAndKind) {
  std::vector<Picture> named = {kBackgroundPicture, kDialogPicture, kPressedOkPicture,
                                kPressedCancelPicture};
  named.insert(named.end(), std::begin(kPressedButtonPictures), std::end(kPressedButtonPictures));
  named.insert(named.end(), std::begin(kLevelPictures), std::end(kLevelPictures));
  named.insert(named.end(), std::begin(kPlayerDigitPictures), std::end(kPlayerDigitPictures));
  named.insert(named.end(), std::begin(kGivenDigitPictures), std::end(kGivenDigitPictures));
  for (const Picture& picture : named) Load(picture);
  // Nothing in the package that the game does not name.
  EXPECT_EQ(index_.entries.size(), named.size());
}

TEST_F(NumGridPackageTest, EmptyCellsAreOneColourAndTheTwoDigitSetsDiffer) {
  // Erasing redraws a cell from the background: each cell is plain there.
  const plat::Image background = Load(kBackgroundPicture);
  ASSERT_EQ(background.width, kScreenWidth);
  for (int column = 1; column <= 9; ++column) {
    for (int row = 1; row <= 9; ++row) {
      const uint32_t colour = background.at(CellX(column), CellY(row));
      for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
          ASSERT_EQ(background.at(CellX(column) + x, CellY(row) + y), colour)
              << column << ", " << row;
        }
      }
    }
  }
  for (int digit = 1; digit <= 9; ++digit) {
    const plat::Image player = Load(kPlayerDigitPictures[digit - 1]);
    const plat::Image given = Load(kGivenDigitPictures[digit - 1]);
    ASSERT_EQ(player.pixels.size(), std::size_t(kCellSize * kCellSize));
    ASSERT_EQ(given.pixels.size(), player.pixels.size());
    // The player's digit stands alone on the cell; the given one on a plate
    // with rounded, transparent corners.
    const auto keyed = std::ranges::count(player.pixels, kMagenta);
    EXPECT_GT(keyed, kCellSize * kCellSize / 2) << digit;
    EXPECT_LT(keyed, kCellSize * kCellSize - 20) << digit;
    EXPECT_EQ(given.at(0, 0), kMagenta);
    EXPECT_LT(std::ranges::count(given.pixels, kMagenta), 20) << digit;
    EXPECT_NE(player.pixels, given.pixels);
    if (digit > 1) {
      EXPECT_NE(player.pixels, Load(kPlayerDigitPictures[digit - 2]).pixels) << digit;
    }
  }
}

TEST_F(NumGridPackageTest, HighlightsAndPressedButtonsDifferFromWhatTheyCover) {
  const plat::Image background = Load(kBackgroundPicture);
  const plat::Image dialog = Load(kDialogPicture);
  const auto differs = [](const plat::Image& under, const plat::Image& over, int x0, int y0) {
    for (int y = 0; y < over.height; ++y) {
      for (int x = 0; x < over.width; ++x) {
        if (under.at(x0 + x, y0 + y) != over.at(x, y)) return true;
      }
    }
    return false;
  };
  for (int i = 0; i < kButtonCount; ++i) {
    EXPECT_TRUE(differs(background, Load(kPressedButtonPictures[i]), kButtonLeft[i], kButtonTop))
        << i;
  }
  for (int i = 0; i < kLevelCount; ++i) {
    EXPECT_TRUE(differs(dialog, Load(kLevelPictures[i]), kLevelAt[i].x, kLevelAt[i].y)) << i;
  }
  EXPECT_TRUE(differs(dialog, Load(kPressedOkPicture), kOkAt.x, kOkAt.y));
  EXPECT_TRUE(differs(dialog, Load(kPressedCancelPicture), kCancelAt.x, kCancelAt.y));
}

}  // namespace
