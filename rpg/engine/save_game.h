#pragma once
// Saving the game into one of the three slots.

#include <cstdint>

#include "rpg/format/save_layout.h"

// The save screen: a slot chosen with SlotMenu, then SaveToSlot; the scene is
// presented again. True when the game was saved.
bool SaveMenu();

// Saves into `slot` 0 ... 2: asks "覆盖原进度？" ("是" first) over a saved
// game ("否" touches nothing), shows " 档案储存中… " in the message strip and
// commits both files. A save that cannot be written, or a party holding a
// character the member file cannot hold (id above 25), shows "存档失败！" for
// 100 ticks and leaves the slot as it was. The slot becomes the current save
// slot only after success.
bool SaveToSlot(uint8_t slot);

// The member file for a save: for each character id 1 ... 25 its record from
// the party, else from its parked file, else from the member file of the
// current save slot. A record counts from a file only when whole, with its
// id in byte 1.
rpgfmt::save::MemberFile SaveMembers();
