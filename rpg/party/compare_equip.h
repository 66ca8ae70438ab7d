#pragma once
// The comparison shown before an item is put on: the member's attributes
// with the candidate worn, and, with Up and Down, as they stand now.

#include <cstdint>

struct InvEntry;

// Compares wearing `candidate` (its kind and id) at display place `place`
// with what the member in party slot `slot` wears there. Enter on the
// candidate's view stores that view as the member's attributes and returns
// 0; Enter on the worn view, Esc or a missing record return 255.
uint8_t CompareEquip(uint8_t slot, int place, const InvEntry& candidate);
