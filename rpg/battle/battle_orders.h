#pragma once
// A member's magic order and the battle menu's item order.

#include <cstdint>

// The target of member i's magic order (the magic record's first bytes):
// every slot of a side for a target byte of 128 or more, else chosen among
// the enemies for harm and special magic, among the party for the others;
// 255 when the choice is cancelled.
uint8_t MagicTarget(int i, const uint8_t* magic, int purpose);

// The magic list of member i until a magic is ordered (true) or Esc (false).
// A magic costing more than the member's mp shows "真气不足!" and the list
// again; a cancelled target returns to the list.
bool ChooseMagic(int i);

// The item menu of member i: "装备" puts on equipment and orders nothing,
// "投掷" throws an item at the enemies, "使用" uses one on the party. True
// when an order was given; Esc in the menu or in the item list clears the
// order's kind and gives false; a cancelled target shows the menu again.
bool ChooseItemOrder(int i);
