#pragma once
// Where a battle reaches parts that are built later: the magic and item
// choices of a member's order. Until those parts land, nothing is chosen;
// each part replaces its function here when it lands.

// A member's magic order in a battle (the magic list to pick from): true
// when an order was given. Nothing is chosen yet: false.
bool LaterBattleMagic(int member);
// A member's item order from the battle menu: true when an order was given.
// Nothing is chosen yet: false.
bool LaterBattleItem(int member);
