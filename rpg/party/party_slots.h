#pragma once
// The three party slots: joining, leaving and the leader. A slot is in use
// while its character id is not 0. Failures set runStatus (7 no free slot or
// no such member, 3 a missing sheet or chain, 2 a record running past its
// block or the file); every call returns at once while runStatus is set.

#include <cstdint>
#include <span>

// The first free slot, its blocks made ready, or 255 (run error 7 when all
// three are taken).
uint8_t FindFreeMemberSlot();
// Clears the slot's name, attributes, equipment and magic list.
void AllocMemberBlocks(uint8_t slot);
// Loads a character sheet (58 bytes) into the slot: header, name, equipment,
// attributes, its walking sheet's location and its first magics.
void LoadPartyMember(uint8_t slot, std::span<const uint8_t> sheet);
// Frees the slot holding character `id`.
void RemoveMember(uint8_t id);
// Makes the slot holding character `id` the leader.
void SetLeader(uint8_t id);
// The slot holding character `id`, or 255; always 255 for id 0, which marks
// a free slot and names no character.
uint8_t MemberSlot(uint8_t id);
