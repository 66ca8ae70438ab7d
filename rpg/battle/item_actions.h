#pragma once
// Items in a battle: used on the party, or thrown at the enemies. The item
// was taken out of the inventory when the member's turn began.

#include <cstdint>

// Uses the item of the member's order on its target or the whole party.
void UseItem(int member);
// Throws the item of the member's order at its target or every enemy.
void ThrowItem(int member);
// A thrown item's hp (hp true) or mp amount: above 32768 it drains 65536 -
// amount. Every targeted enemy loses it (to 0 at least); a drain gives the
// thrower the amount times the number of enemies shown.
void ThrowDamage(int member, bool hp, uint16_t amount);
// The damage of a hand-held weapon thrown: one bit per nonzero byte of its
// effect block (byte 6 8192, 7 4096, 4 2048, 5 1024, 0 512, 1 256, 2 128)
// plus byte 3 without its top bit.
uint16_t HandHeldThrowDamage(const uint8_t* block);
