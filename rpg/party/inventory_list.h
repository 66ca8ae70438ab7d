#pragma once
// The item list over the part of the inventory whose kinds are asked for.

#include <cstdint>

struct InvEntry;

// Lists, in inventory order, the entries of `entries[0 ... count - 1]` whose
// kind is one of kinds[0 ... kindCount - 1], with sell prices and counts.
// `selected` is an inventory index: the list starts on the last listed entry
// at or before it. Returns the chosen entry's inventory index, or 255 (Esc,
// nothing listed, or run error 1 when the list's blocks cannot be had).
uint8_t PickInventory(const InvEntry* entries, int count, const uint8_t* kinds, int kindCount,
                      int selected, int* scrollTop);
