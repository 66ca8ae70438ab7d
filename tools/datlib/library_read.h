#pragma once
// Reading a library for the tools: the format's checks turned into
// diagnostics, and names for its entries in messages.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"

namespace datlib {

// Every problem of the image becomes an error "name: byte N: ...".
std::optional<rpgfmt::LibraryView> ReadLibraryChecked(std::span<const std::uint8_t> image,
                                                      const std::string& name,
                                                      Diagnostics& diag);

// "dat.lib[type,id1,id2]": where messages about entry i of a library point.
SourcePos EntryPos(const std::string& name, rpgfmt::ResKey key);

std::string KeyName(rpgfmt::ResKey key);  // "(type, id1, id2)"

constexpr rpgfmt::ResKey Key(rpgfmt::ResType type, std::uint8_t id1, std::uint8_t id2) {
  return {static_cast<std::uint8_t>(type), id1, id2};
}

// The bytes of the key's resource; empty when the library lacks it.
std::span<const std::uint8_t> FindBytes(const rpgfmt::LibraryView& lib, rpgfmt::ResKey key);

// The entries of a magic chain or magic list (12, 1, n) the game can read:
// its count, as far as whole entries lie in the bytes; nothing when the
// bytes end before the count.
std::optional<int> ChainEntries(std::span<const std::uint8_t> list);

}  // namespace datlib
