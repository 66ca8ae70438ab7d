#pragma once
// The magic list: two names at a time beside a sword cursor, markers for more
// above and below, the chosen magic's description and its cost.

#include <cstdint>

struct MagicEntry;

// Shows list[0 ... count - 1] (at most the 52 a member's list holds) with
// `selected` chosen. Returns the chosen index on Enter, 255 on Esc, at once
// for an empty list, and when a magic record is missing (runStatus set).
uint8_t PickMagic(const MagicEntry* list, int count, int selected);
