#pragma once
// Exact comparison of a picture with a golden PNG under tests/golden/.
//
//   EXPECT_TRUE(MatchesGolden(bitmap, "raster/shapes"));
//
// compares with tests/golden/raster/shapes.png. On a mismatch the actual
// picture and a difference picture are written under the build directory's
// golden-out/ folder (<name>.actual.png, <name>.diff.png) and the failure
// message names them. With TOVSIM_UPDATE_GOLDEN=1 in the environment the
// golden file is (re)written instead and the comparison passes.

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/image.h"

namespace testsupport {

struct GoldenPaths {
  std::string goldenDir;  // where <name>.png lives
  std::string outputDir;  // where <name>.actual.png and <name>.diff.png go
};

// The project's folders: the source tree's tests/golden and the build's golden-out.
GoldenPaths DefaultGoldenPaths();

::testing::AssertionResult MatchesGolden(const plat::Image& actual, const std::string& name,
                                         const GoldenPaths& paths = DefaultGoldenPaths());
::testing::AssertionResult MatchesGolden(const plat::Bitmap& actual, const std::string& name,
                                         const GoldenPaths& paths = DefaultGoldenPaths());

}  // namespace testsupport
