#pragma once
// The battle menu: siege, items, defence, flight and the status view.

// Whether the member's weapon strikes every enemy (weaponFlags bit 4).
bool StrikesAll(int member);
// The menu for member i; true when an order was given ("围攻" gives every
// member a siege, "逃跑" every member from i on a flight), false for Esc.
bool BattleMenu(int i);
