#include "tools/datlib/library_read.h"

#include <algorithm>
#include <vector>

#include "rpg/format/item_records.h"

namespace datlib {

std::optional<rpgfmt::LibraryView> ReadLibraryChecked(std::span<const std::uint8_t> image,
                                                      const std::string& name,
                                                      Diagnostics& diag) {
  std::vector<rpgfmt::LibProblem> problems;
  auto lib = rpgfmt::ReadLibrary(image, problems);
  for (const rpgfmt::LibProblem& p : problems) {
    diag.Error({name, 0, 0}, p.Text());
  }
  return lib;
}

SourcePos EntryPos(const std::string& name, rpgfmt::ResKey key) {
  return {name + "[" + std::to_string(key.type) + "," + std::to_string(key.id1) + "," +
              std::to_string(key.id2) + "]",
          0, 0};
}

std::string KeyName(rpgfmt::ResKey key) {
  return "(" + std::to_string(key.type) + ", " + std::to_string(key.id1) + ", " +
         std::to_string(key.id2) + ")";
}

std::span<const std::uint8_t> FindBytes(const rpgfmt::LibraryView& lib, rpgfmt::ResKey key) {
  const rpgfmt::LibEntry* e = lib.Find(key);
  return e == nullptr ? std::span<const std::uint8_t>{} : lib.Bytes(*e);
}

std::optional<int> ChainEntries(std::span<const std::uint8_t> list) {
  namespace chain = rpgfmt::magicchain;
  if (list.size() <= chain::kCount) return std::nullopt;
  const std::size_t whole = (list.size() - std::min<std::size_t>(list.size(), chain::kEntries)) /
                            chain::kEntrySize;
  return static_cast<int>(std::min<std::size_t>(list[chain::kCount], whole));
}

}  // namespace datlib
