#pragma once
// The item list of the shops and the item menus: four rows of pictures with a
// pointer, the chosen item's name, price and description beside them.

#include <cstdint>

struct InvEntry;

// Mode bits: bit 0 shows the sell price instead of the buy price, bit 1 the
// held count at the top right.
inline constexpr int kListSellPrice = 1;
inline constexpr int kListCount = 2;

// Shows entries[0 ... count - 1] from the row *scrollTop (kept across calls
// when given) with `selected` chosen. Returns the chosen index on Enter, 255
// on Esc, at once for an empty list, and when an item record is missing
// (runStatus set). Up and Down do not wrap; PageUp and PageDown page the
// description.
uint8_t PickItem(int mode, int count, const InvEntry* entries, int selected, int* scrollTop);
