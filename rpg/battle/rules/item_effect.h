#pragma once
// What an item's effect block does to a member's attributes: putting on and
// taking off equipment, using an item, and lasting gains.
//
// Effect block bytes (as stored): 0 maxMp, 1 maxHp, 2 defence, 3 attack,
// 4 spirit, 5 agility, 7 luck; byte 6 immunity, weaponFlags or attackMagic
// by kind. Amounts are sign-and-magnitude: 128 ... 255 mean minus
// (amount - 128); the defence of worn kinds 1-5 and the attack of a
// hand-held item are plain unsigned bytes. Kind 9 reads bytes 0-1 (hp) and
// 2-3 (mp) as u16, kind 10 byte 1 as a percentage of maxHp.
//
// Draws: none.

#include <cstdint>

struct CharStats;

// The attributes an amount applies to.
enum class StatAttr : uint8_t { kMaxHp, kMaxMp, kAttack, kDefence, kAgility, kSpirit, kLuck };

// Applies the change from wearing `oldBlock` (null: nothing) to `newBlock`
// for an item of `kind`, or uses an item of `kind`; then keeps the block
// inside its limits. A kind outside 1 ... 12 sets runStatus 14.
void ApplyItemEffect(uint8_t kind, const uint8_t* oldBlock, const uint8_t* newBlock,
                     CharStats* stats);

// The amounts of mode 0 (hand-held), 1 (worn kinds 1-5), 2 (ornament) or 3
// (lasting gain, all seven attributes): the old block's taken off, the new
// block's put on. A mode of 4 or more does nothing.
void ApplyStatDeltas(uint8_t mode, const uint8_t* oldBlock, const uint8_t* newBlock,
                     CharStats* stats);

// One amount put on (added, wrapping at the field's width) or taken off
// (subtracted when the attribute is larger, else 0); an amount of 128 or
// more is minus (amount - 128), reversing putOn.
void ApplyStatDelta(StatAttr attr, uint8_t amount, CharStats* stats, bool putOn);

// The same for hpRegen and mpRegen, except that taking off always
// subtracts, wrapping at 8 bits.
void ApplyRegenDelta(uint8_t* field, uint8_t amount, bool putOn);
