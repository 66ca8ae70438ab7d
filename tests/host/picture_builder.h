#pragma once
// Resource packages built in memory for the tests, by the package writer the
// tools use; a test corrupts them afterwards as it needs.

#include <cstdint>
#include <string>
#include <vector>

#include "format/package/package_format.h"
#include "tests/support/bmp_file.h"

namespace host_test {

// Stored words 0x00RRGGBB; magenta is the same either way round.
inline constexpr uint32_t kMagentaWord = 0x00FF00FF;

// 2 x 2: opaque red, magenta / magenta, black.
inline std::vector<uint8_t> KeyedBmp() {
  return testsupport::BmpFile(2, 2, {0x00FF0000, kMagentaWord, kMagentaWord, 0x00000000});
}

struct BuiltPackage {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> offsets;  // of the images, in order
};

// The images, of any kind and content, one after another behind the directory.
inline BuiltPackage BuildPackage(const std::vector<pkgfmt::PackImage>& images) {
  std::vector<pkgfmt::ImageSlot> slots;
  for (const pkgfmt::PackImage& image : images) slots.push_back({image.bmp.size(), std::nullopt});
  pkgfmt::Layout layout;
  std::size_t failed = 0;
  std::string error;
  pkgfmt::LayOutPackage(slots, layout, failed, error);
  return {pkgfmt::WritePackage(images, layout), layout.offsets};
}

}  // namespace host_test
