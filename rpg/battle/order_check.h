#pragma once
// A member's order looked at when its turn comes: what no longer can be done
// becomes an attack, and an enemy target that has gone moves on.

// Repairs member's order (its BattleAction). A magic it lacks the mp for or
// is sealed against, an item no longer carried, or no order at all becomes
// an attack (every enemy with a weapon striking all, else slot 0). An item
// is taken out of the inventory here, and only when the member can act this
// turn (above 0 hp, neither asleep nor confused). An order aimed at a gone
// enemy moves to the next occupied slot after it, cyclically. Returns true
// when no enemy is left.
bool CheckOrder(int member);
