#pragma once
// The equipment screen: a member among the pictures of what it wears at
// its eight places, a frame on the current place. Left and Right change the
// member, Up and Down the place; Enter shows the worn item and a second
// Enter (or Enter on an empty place) picks something to wear there.

#include <cstdint>

void EquipScreen();

// Lists the inventory's items of the place's kind for the member in party
// slot `slot` and offers the one chosen: "不能装备！" when the member may
// not wear it, nothing when it is what the place holds already.
void EquipAtPlace(uint8_t slot, int place);
