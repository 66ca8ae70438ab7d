#pragma once
// The one inventory the party shares: entries 0 ... invCount - 1 of
// game.inventory, no holes, counts 1 ... 99.

#include <cstdint>

struct InvEntry;

inline constexpr uint8_t kNotCarried = 255;
inline constexpr uint8_t kMaxItemCount = 99;

// The index of the entry of that kind and id, or 255.
uint8_t InvFind(uint8_t kind, uint8_t id);
// Adds entry.count of the item: 2 when it was carried (its count grows, to
// 99 at most), 1 when appended, 0 when all 200 entries are in use.
int InvAdd(const InvEntry& entry);
// Takes entry.count of the item away: 0 when it is not carried, 1 when some
// remain, 2 when the entry went (the last entry takes its place).
int InvRemove(const InvEntry& entry);
// Sets (or, with `set` 0, clears) the event flag item (6, kind, id) names;
// nothing for a flag of 0. A missing or short record is a run error.
void SetItemFlag(uint8_t kind, uint8_t id, int set);
