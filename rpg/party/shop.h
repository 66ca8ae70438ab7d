#pragma once
// The shops the scripts open: buying from a list of goods and selling from
// the inventory. Both leave by presenting the map frame again.

#include <cstdint>

struct InvEntry;

// Buys from goods[0 ... count - 1] (kind and id; counts are not read); the
// list shows buy prices, or what PickItem's mode bits ask for.
void BuyMenu(int mode, int count, const InvEntry* goods);

// Sells from the inventory; items bound to an event flag are refused.
void SellMenu();
