#pragma once
// Where the game reaches parts that are built later: the system menu, and
// in a battle the magic and item choices. Until those parts
// land, each of these does nothing ("nothing opens", "nothing chosen"); each
// part replaces its function here when it lands.

#include <cstdint>

// Esc on the map: the system menu. It may set menuScript.
void LaterSystemMenu();
// A member's magic order in a battle (the magic list to pick from): true
// when an order was given. Nothing is chosen yet: false.
bool LaterBattleMagic(int member);
// A member's item order from the battle menu: true when an order was given.
// Nothing is chosen yet: false.
bool LaterBattleItem(int member);
