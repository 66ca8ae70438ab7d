#pragma once
// Loading actor records into their slots, and the map-character slots.
// Failures set runStatus; every call returns at once while it is set.

#include <cstdint>
#include <span>

// Record (3, kind, no) into slot `slot`: kind 1 a party member, kinds 2 and
// 4 a map character, kind 3 an enemy slot of the battle; any other kind is
// run error 5.
void LoadActor(uint8_t slot, uint8_t kind, uint8_t no);
// A map character's record (23 bytes) into its allocated slot: bytes 0 ...
// 21, the rest counter, the picture number and its sheet's location.
void LoadNpc(uint8_t slot, std::span<const uint8_t> rec);
// Takes map-character slot `slot`: 40 and above is run error 9, an occupied
// slot 12. The record starts zeroed.
void AllocNpcSlot(uint8_t slot);
// Frees it: 40 and above is run error 7, an empty slot 11.
void RemoveNpc(uint8_t slot);
