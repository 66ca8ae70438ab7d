#pragma once
// An enemy's library record read into its battle slot. A data reader: it
// uses the library and the state record only.

#include <cstdint>
#include <span>

// Copies an enemy's library record (type 3, id1 3) into the slot and finds
// its picture and magic list. The list's entries are copied only as far as
// the list holds them: magicCount is lowered to that (to 0 without a list).
// A slot past the three is run error 7, a record or list too short for its
// fields run error 2; a missing picture or list leaves the lookup's error.
void LoadEnemy(uint8_t slot, std::span<const uint8_t> record);
