// The host's path through an untrusted resource package: the directory is
// read and checked, then every usable entry's BMP is decoded from the bytes
// the entry was given, as ResOpen does before it makes the bitmaps.
#include <cstddef>
#include <cstdint>

#include "format/package/package_format.h"
#include "platform/gdi/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const codec::Result<pkgfmt::PackageIndex> index = pkgfmt::ReadPackage({data, size});
  if (!index) return 0;
  for (const pkgfmt::PackageEntry& e : index->entries) {
    if (!e.usable) continue;
    const auto image = plat::DecodeBmp(e.bytes);
    if (image && image->pixels.size() != std::size_t(image->width) * std::size_t(image->height)) {
      __builtin_trap();
    }
  }
  return 0;
}
