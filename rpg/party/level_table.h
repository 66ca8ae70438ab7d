#pragma once
// A character's level table (12, 2, character id): byte 2 the last level,
// from byte 4 one 20-byte LevelRow per level, row 0 for level 1.

#include <cstdint>
#include <span>

#include "rpg/party/party_types.h"

struct LevelTable {
  uint8_t last;                   // the last level
  std::span<const uint8_t> rows;  // rows for levels 1 ... last, all inside the library
  // The row of `level` (1 ... last).
  LevelRow Row(int level) const;
};

// The table of character `id`. False for a character without one (the
// failed lookup is cleared: such a member never levels) and for a table
// whose rows run past the library.
bool FindLevelTable(uint8_t id, LevelTable* out);
