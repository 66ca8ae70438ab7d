#pragma once
// The arithmetic of a level-up: how many levels a member's experience
// carries it, its new attributes from its level table, and the experience
// a raise to a chosen level gives. What a level-up shows (the strip, the
// panel, the magics learned) belongs to the reward screens.
//
// Draws: LevelUpCompute one Random() at its start, for the maxHp and maxMp
// bonus; the others none.

#include <cstdint>

#include "host/msg.h"
#include "rpg/party/level_table.h"

inline constexpr uint8_t kLevelMaxMark = 243;

// From `exp` at `level`: while the experience is above the row's nextExp and
// the level below the table's last, it pays that nextExp and steps up.
struct LevelsClimbed {
  uint8_t gained;
  uint16_t expLeft;
};
LevelsClimbed LevelsGained(uint16_t exp, uint8_t level, const LevelTable& table);

// The bonus a rise of maxHp or maxMp by `rise` (new - before, as 16 bits)
// gives: (r % rise) / 8 taken to 8 bits, or 0 when the value did not rise.
uint8_t LevelBonus(uint16_t rise, int r);

// Raises the member in `slot` as far as its experience carries it: what it
// has beyond its level's row (from items and lasting gains) is kept on top
// of the new row, hit and magic points are filled, maxHp and maxMp get the
// random bonus, and a member already at the last level is marked
// kLevelMaxMark with nextExp 0. Fills `before` with the member's values
// before the rise and returns the chain count of the level reached. A level
// of 0 or above the table's last changes nothing (its chain count is
// returned). `r` is the value Random() gave (0 ... 32767).
uint8_t LevelUpWith(int slot, const LevelTable& table, int r, LevelRow* before);
// The same with the random value drawn.
inline uint8_t LevelUpCompute(int slot, const LevelTable& table, LevelRow* before) {
  return LevelUpWith(slot, table, Random(), before);
}

// The script's raise of character `id` to `level`: `exp` becomes the
// nextExp of the row below that level plus 5 (held at 65535), a level
// above the table's last counting as the last. Returns the slot to level
// up, or -1: a character not in the party (run error 7), no level table, or
// a level below 2 (nothing changes).
int RaiseToLevel(uint8_t id, uint16_t level);
