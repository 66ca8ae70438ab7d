#include "tools/datlib/library_read.h"

#include <vector>

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

}  // namespace datlib
