#pragma once
// The state record to and from the values of the save files: the main file
// (the thirteen records in one value) and a party slot's member record. The
// layout library turns the values into bytes and checks them on reading.

#include <cstdint>

#include "rpg/format/save_layout.h"

// The main file's value from the state record: the script key is the last
// script loaded from the library, the reserved word the low 16 bits of the
// current script's offset in the library, the battle flag 0 outside battles.
rpgfmt::save::MainFile BuildRecord();
// Party slot `slot`'s member record: the name's first 12 bytes, the first
// 50 magics.
rpgfmt::save::MemberRecord BuildMemberRecord(uint8_t slot);

// A checked main file into the state record: every saved field, the party's
// character ids into emptied slots (their records follow with
// ApplyMemberRecord) and the map characters into their slots. Variable 255,
// continuousWalk and menuScript keep their values; scrollDir becomes 0. The
// sheets' locations are left to be re-resolved.
void ApplyRecord(const rpgfmt::save::MainFile& value);
// A checked member record into party slot `slot` (its blocks cleared first),
// its attributes brought within their limits.
void ApplyMemberRecord(uint8_t slot, const rpgfmt::save::MemberRecord& record);
