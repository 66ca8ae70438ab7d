#include "tools/datlib/resource_sizes.h"

#include <algorithm>

#include "tools/datlib/source_kinds.h"

namespace datlib {
namespace {

std::size_t Address(const rpgfmt::LibEntry& e) {
  return std::size_t{e.block} * rpgfmt::kLibBlockSize + e.offset;
}

std::size_t WithoutTrailingZeros(std::span<const std::uint8_t> bytes) {
  std::size_t n = bytes.size();
  while (n > 0 && bytes[n - 1] == 0) --n;
  return n;
}

}  // namespace

std::vector<ResourceSize> ResourceSizes(const rpgfmt::LibraryView& lib) {
  const auto& entries = lib.entries;
  std::vector<ResourceSize> sizes(entries.size());
  std::vector<std::size_t> order(entries.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return Address(entries[a]) < Address(entries[b]); });
  // Walk backwards so that the next block's first resource is settled first.
  std::size_t nextFirst = order.size();  // index in `order` of the next block's first entry
  for (std::size_t k = order.size(); k-- > 0;) {
    const rpgfmt::LibEntry& e = entries[order[k]];
    const auto bytes = lib.Bytes(e);
    ResourceSize& rs = sizes[order[k]];
    rs.known = std::min(KnownSize(bytes, e.key), bytes.size());
    const bool lastInBlock = k + 1 == order.size() || entries[order[k + 1]].block != e.block;
    if (!lastInBlock) {
      rs.size = bytes.size();
    } else {
      rs.size = std::max(rs.known, WithoutTrailingZeros(bytes));
      if (nextFirst < order.size()) {
        const rpgfmt::LibEntry& n = entries[order[nextFirst]];
        const bool sameType = n.key.type == e.key.type;
        const std::size_t room = rpgfmt::kLibBlockSize - e.offset;
        const std::size_t need = sizes[order[nextFirst]].size;
        if (sameType && need <= room) rs.size = std::max(rs.size, room - need + 1);
      }
      rs.size = std::min(rs.size, bytes.size());
    }
    const bool firstInBlock = k == 0 || entries[order[k - 1]].block != e.block;
    if (firstInBlock) nextFirst = k;
  }
  return sizes;
}

}  // namespace datlib
