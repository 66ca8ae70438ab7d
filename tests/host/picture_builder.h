#pragma once
// Resource packages built in memory for the tests.

#include <cstdint>
#include <vector>

#include "codec/bytes.h"
#include "tests/support/bmp_file.h"

namespace host_test {

// Stored words 0x00RRGGBB; magenta is the same either way round.
inline constexpr uint32_t kMagentaWord = 0x00FF00FF;

// 2 x 2: opaque red, magenta / magenta, black.
inline std::vector<uint8_t> KeyedBmp() {
  return testsupport::BmpFile(2, 2, {0x00FF0000, kMagentaWord, kMagentaWord, 0x00000000});
}

struct PackageImage {
  uint32_t kind;
  std::vector<uint8_t> bytes;
};

struct BuiltPackage {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> offsets;  // of the images, in order
};

inline void PutU32(std::vector<uint8_t>& out, std::size_t at, uint32_t value) {
  codec::StoreLe(out.data() + at, value);
}

// Header, directory, then the images one after another.
inline BuiltPackage BuildPackage(const std::vector<PackageImage>& images) {
  BuiltPackage package;
  package.bytes.assign(16 + 8 * images.size(), 0);
  PutU32(package.bytes, 8, uint32_t(images.size()));
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto offset = uint32_t(package.bytes.size());
    package.offsets.push_back(offset);
    PutU32(package.bytes, 16 + 8 * i, offset);
    PutU32(package.bytes, 20 + 8 * i, images[i].kind);
    package.bytes.insert(package.bytes.end(), images[i].bytes.begin(), images[i].bytes.end());
  }
  return package;
}

}  // namespace host_test
