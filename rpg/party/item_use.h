#pragma once
// Using items outside battle, from the system menu: restoratives, lasting
// gains, revives, event items and key items, on the state record's one
// inventory.

#include <cstdint>

struct InvEntry;

// The usable kinds (8 ... 14) of the inventory until Esc. Battle-only kinds
// (8, 12) show "战斗中才能使用！"; a key item (14) sets menuScript to its id.
// 1 when the system menu must close: a key item was chosen, or an event
// item started its event; else 0.
uint8_t UseItemMenu();

// Uses the item of `entry` (the chosen kind and id, whatever later becomes
// of the inventory entry it was copied from). An event item (13) runs event
// 255 of the map, "无效！" when there is none, and is not used up. Any other
// kind is used on the members shown beside its picture and count, one a
// press of Enter, until none is left or Esc: every member at once for a
// restorative or a lasting gain with bit 4 of effect byte 6, none for a
// revive (10), else the one shown. Nothing happens without a member. 1 when
// the system menu must close (the event ran), else 0.
uint8_t UseItemOn(const InvEntry& entry);
