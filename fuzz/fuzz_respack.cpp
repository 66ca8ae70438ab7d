// Feeds arbitrary bytes to the resource package reader and walks every usable
// entry, so a span that escapes the file shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>

#include "format/package/package_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const codec::Result<pkgfmt::PackageIndex> index = pkgfmt::ReadPackage({data, size});
  if (!index) return 0;
  unsigned sum = 0;
  for (const pkgfmt::PackageEntry& e : index->entries) {
    if (!e.usable) continue;
    sum += e.bytes.front() + e.bytes.back();
    const pkgfmt::PackageEntry* found = pkgfmt::FindImage(*index, e.offset);
    if (found != nullptr && (!found->usable || found->offset != e.offset)) __builtin_trap();
  }
  return int(sum & 0);
}
