#include "tests/support/golden.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/png.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

bool UpdateRequested() {
  const char* value = std::getenv("TOVSIM_UPDATE_GOLDEN");
  return value != nullptr && std::string(value) == "1";
}

std::uint32_t Fade(std::uint32_t word) {
  auto channel = [word](int shift) { return (((word >> shift) & 0xFF) + 3 * 255) / 4; };
  return channel(16) << 16 | channel(8) << 8 | channel(0);
}

// Writes a PNG, making its folder; answers an error message or "".
std::string Save(const fs::path& path, const plat::Image& image) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::string error;
  if (!plat::WritePngFile(path.string(), image, &error)) return error;
  return "";
}

// The difference picture: matching pixels as a faded copy of the expected
// picture, differing ones red, pixels only one picture has blue.
plat::Image GoldenDiff(const plat::Image& expected, const plat::Image& actual) {
  plat::Image diff;
  diff.width = std::max(expected.width, actual.width);
  diff.height = std::max(expected.height, actual.height);
  diff.pixels.assign(std::size_t(diff.width) * std::size_t(diff.height), 0x0000FF);
  auto inside = [](const plat::Image& image, int x, int y) {
    return x < image.width && y < image.height;
  };
  for (int y = 0; y < diff.height; ++y) {
    for (int x = 0; x < diff.width; ++x) {
      if (!inside(expected, x, y) || !inside(actual, x, y)) continue;
      const std::uint32_t e = expected.at(x, y) & 0xFFFFFF, a = actual.at(x, y) & 0xFFFFFF;
      diff.at(x, y) = e == a ? Fade(e) : 0xFF0000;
    }
  }
  return diff;
}

}  // namespace

GoldenPaths DefaultGoldenPaths() { return {TOVSIM_GOLDEN_DIR, TOVSIM_GOLDEN_OUT}; }

::testing::AssertionResult MatchesGolden(const plat::Image& actual, const std::string& name,
                                         const GoldenPaths& paths) {
  const fs::path golden = fs::path(paths.goldenDir) / (name + ".png");
  if (UpdateRequested()) {
    const std::string error = Save(golden, actual);
    if (!error.empty()) return ::testing::AssertionFailure() << "cannot update golden: " << error;
    return ::testing::AssertionSuccess() << "updated " << golden.string();
  }
  const fs::path actualPath = fs::path(paths.outputDir) / (name + ".actual.png");
  const fs::path diffPath = fs::path(paths.outputDir) / (name + ".diff.png");
  const auto read = plat::ReadPngFile(golden.string());
  if (!read) {
    Save(actualPath, actual);
    return ::testing::AssertionFailure()
           << "golden picture " << golden.string() << " cannot be read (" << read.error().Text()
           << "); the actual picture is in " << actualPath.string()
           << "; run with TOVSIM_UPDATE_GOLDEN=1 to create it";
  }
  const plat::Image& expected = *read;
  std::size_t differing = 0;
  int firstX = -1, firstY = -1;
  const bool sameSize = expected.width == actual.width && expected.height == actual.height;
  if (sameSize) {
    for (int y = 0; y < actual.height; ++y) {
      for (int x = 0; x < actual.width; ++x) {
        if ((expected.at(x, y) & 0xFFFFFF) == (actual.at(x, y) & 0xFFFFFF)) continue;
        if (differing++ == 0) firstX = x, firstY = y;
      }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
  }
  Save(actualPath, actual);
  Save(diffPath, GoldenDiff(expected, actual));
  std::ostringstream message;
  message << "picture differs from golden " << golden.string() << ": ";
  if (!sameSize) {
    message << "size " << actual.width << "x" << actual.height << ", expected " << expected.width
            << "x" << expected.height;
  } else {
    message << differing << " pixels differ, the first at (" << firstX << ", " << firstY << ")";
  }
  message << "; actual " << actualPath.string() << ", difference " << diffPath.string()
          << " (TOVSIM_UPDATE_GOLDEN=1 accepts the new picture)";
  return ::testing::AssertionFailure() << message.str();
}

::testing::AssertionResult MatchesGolden(const plat::Bitmap& actual, const std::string& name,
                                         const GoldenPaths& paths) {
  return MatchesGolden(plat::ImageFromBitmap(actual), name, paths);
}

}  // namespace testsupport
