#include "tools/datlib/listing.h"

#include <cstdio>

#include "tools/datlib/field_yaml.h"
#include "tools/datlib/library_read.h"
#include "tools/datlib/resource_sizes.h"

namespace datlib {
namespace {

std::string Format(const char* fmt, auto... args) {
  char buf[160];
  std::snprintf(buf, sizeof buf, fmt, args...);
  return buf;
}

}  // namespace

std::optional<std::string> ListLibrary(std::span<const std::uint8_t> image,
                                       const std::string& name, Diagnostics& diag) {
  auto lib = ReadLibraryChecked(image, name, diag);
  if (!lib) return std::nullopt;
  const auto sizes = ResourceSizes(*lib);
  std::size_t blocks = 0;
  for (const auto& e : lib->entries) blocks = std::max<std::size_t>(blocks, e.block);
  const auto title = FixedTextNode(
      {reinterpret_cast<const std::uint8_t*>(lib->title.data()), lib->title.size()}, false);
  std::string out = "title: ";
  out += IsScalar(title) ? title.Scalar() : "hex " + title["hex"].Scalar();
  out += Format("\nkeys: %zu  blocks: %zu  file size: %zu\n", lib->entries.size(), blocks,
                image.size());
  out += "type id1 id2  tag  block offset address    size\n";
  for (std::size_t i = 0; i < lib->entries.size(); ++i) {
    const rpgfmt::LibEntry& e = lib->entries[i];
    const std::size_t address = std::size_t{e.block} * rpgfmt::kLibBlockSize + e.offset;
    out += Format("%4u %3u %3u  %.3s  %5u %6u 0x%06zx %6zu  %s\n", e.key.type, e.key.id1,
                  e.key.id2, rpgfmt::FindResType(e.key.type)->tag, e.block, e.offset, address,
                  sizes[i].size, rpgfmt::FindResType(e.key.type)->name);
  }
  return out;
}

}  // namespace datlib
