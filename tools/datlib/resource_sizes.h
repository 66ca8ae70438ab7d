#pragma once
// The library stores no sizes. A resource's bytes run to the next resource of
// its block; the last one of a block runs into the block's zero padding. This
// works out how many bytes each resource really spans: its layout's own size
// where the type has one, else its bytes without trailing zeros, but never
// so short that a rebuild would pack the next block's first resource into
// this block.

#include <cstddef>
#include <vector>

#include "rpg/format/library.h"

namespace datlib {

struct ResourceSize {
  std::size_t size = 0;   // bytes the resource spans
  std::size_t known = 0;  // bytes its layout accounts for; 0 when unknown
};

// One entry per directory entry of `lib`, same order.
std::vector<ResourceSize> ResourceSizes(const rpgfmt::LibraryView& lib);

}  // namespace datlib
