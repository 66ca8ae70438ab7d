#pragma once
// One compiled resource of a project: its key, its bytes and the source it
// came from (for diagnostics that point back at the source).

#include <cstdint>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"

namespace datlib {

struct Resource {
  std::uint8_t type = 0;
  std::uint8_t id1 = 0;
  std::uint8_t id2 = 0;
  std::vector<std::uint8_t> bytes;
  SourcePos origin;

  rpgfmt::ResKey Key() const { return {type, id1, id2}; }
};

}  // namespace datlib
