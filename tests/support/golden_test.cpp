// The golden-picture comparison: pass, mismatch reports and files, update switch.

#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gdi/png.h"
#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace testsupport {
namespace {

namespace fs = std::filesystem;

class GoldenTest : public ::testing::Test {
 protected:
  void WriteGolden(const plat::Image& image) {
    fs::create_directories(root_ / "golden/set");
    ASSERT_TRUE(plat::WritePngFile(root_ / "golden/set/pic.png", image));
  }
  plat::Image Read(const std::string& path) {
    auto image = plat::ReadPngFile(path);
    EXPECT_TRUE(image) << image.error().Text();
    return image ? *image : plat::Image();
  }

  ScratchDir root_;
  ScopedEnv noUpdate_{"TOVSIM_UPDATE_GOLDEN", std::nullopt};
  GoldenPaths paths_{root_ / "golden", root_ / "out"};
  const plat::Image picture_{2, 2, {0x000000, 0xFFFFFF, 0x123456, 0xFF00FF}};
};

TEST_F(GoldenTest, IdenticalPicturesMatchIgnoringTheTopByte) {
  WriteGolden(picture_);
  plat::Image same = picture_;
  same.pixels[0] |= 0xFF000000;
  EXPECT_TRUE(MatchesGolden(same, "set/pic", paths_));
  EXPECT_FALSE(fs::exists(root_ / "out"));
}

TEST_F(GoldenTest, MismatchWritesActualAndDiffAndSaysWhere) {
  WriteGolden(picture_);
  plat::Image changed = picture_;
  changed.at(1, 1) = 0x00FF00;
  const auto result = MatchesGolden(changed, "set/pic", paths_);
  ASSERT_FALSE(result);
  const std::string message = result.message();
  EXPECT_NE(message.find("1 pixels differ, the first at (1, 1)"), std::string::npos) << message;
  EXPECT_NE(message.find("TOVSIM_UPDATE_GOLDEN=1"), std::string::npos);
  const plat::Image actual = Read(root_ / "out/set/pic.actual.png");
  EXPECT_EQ(actual.pixels, changed.pixels);
  const plat::Image diff = Read(root_ / "out/set/pic.diff.png");
  EXPECT_EQ(diff.at(1, 1), 0xFF0000u);
  EXPECT_NE(diff.at(0, 0), 0xFF0000u);
}

TEST_F(GoldenTest, SizeMismatchAndMissingGoldenFail) {
  WriteGolden(picture_);
  const plat::Image wide{3, 2, {0, 0, 0, 0, 0, 0}};
  const auto sized = MatchesGolden(wide, "set/pic", paths_);
  ASSERT_FALSE(sized);
  EXPECT_NE(std::string(sized.message()).find("size 3x2, expected 2x2"), std::string::npos);
  EXPECT_EQ(Read(root_ / "out/set/pic.diff.png").at(2, 0), 0x0000FFu);
  const auto missing = MatchesGolden(picture_, "set/none", paths_);
  ASSERT_FALSE(missing);
  EXPECT_NE(std::string(missing.message()).find("TOVSIM_UPDATE_GOLDEN=1"), std::string::npos);
  EXPECT_TRUE(fs::exists(root_ / "out/set/none.actual.png"));
}

TEST_F(GoldenTest, UpdateSwitchRewritesTheGolden) {
  WriteGolden(picture_);
  plat::Image changed = picture_;
  changed.at(0, 0) = 0x010101;
  {
    ScopedEnv update("TOVSIM_UPDATE_GOLDEN", "1");
    EXPECT_TRUE(MatchesGolden(changed, "set/pic", paths_));
    EXPECT_TRUE(MatchesGolden(changed, "set/new", paths_));
  }
  EXPECT_TRUE(MatchesGolden(changed, "set/pic", paths_));
  EXPECT_TRUE(MatchesGolden(changed, "set/new", paths_));
  EXPECT_FALSE(MatchesGolden(picture_, "set/pic", paths_));
}

}  // namespace
}  // namespace testsupport
