#pragma once
// Learning magics: one at a time, or the entries of a member's magic chain
// that a new level opens. Showing what was learned is the caller's part.

#include <cstdint>

// Appends (class, id) to the member's magic list while it holds fewer than
// 50 (what a save keeps); a magic already known is appended again. The magic
// record is looked up first: a missing one is run error 3 and leaves the
// list as it was. Returns the record (for the name to show), or null when
// nothing was learned (a missing record or a full list).
const uint8_t* LearnMagic(int slot, uint8_t magicClass, uint8_t id);

// Called for each magic LearnChain teaches, with its record.
using LearnedHook = void (*)(int slot, const uint8_t* magicRecord);

// Teaches chain entries from ... to - 1 of the member's magic chain, then
// sets its chain count to `to`; nothing when from equals to. A chain with
// fewer than `to` entries is run error 15.
void LearnChain(int slot, uint8_t from, uint8_t to, LearnedHook learned = nullptr);
