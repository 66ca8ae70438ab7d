// The number grid's package as the build made it: every picture the game
// names, its size and kind, and pressed and highlighted pictures that show.

#include <gtest/gtest.h>

#include <vector>

#include "format/package/package_format.h"
#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_pictures.h"
#include "platform/gdi/bmp.h"
#include "tests/support/scratch.h"

namespace {

using namespace numgrid;

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
