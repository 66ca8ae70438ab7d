#pragma once
// A magic record of the data library as the menus read it.

#include <cstdint>
#include <span>

struct MagicEntry;

// The bytes of magic (4, class, id) to the end of its block: the fixed part
// and the description; empty with runStatus set when missing or short.
std::span<const uint8_t> LookUpMagic(const MagicEntry& m);

// The record's 12-byte name field, read no further.
std::span<const uint8_t> MagicNameField(std::span<const uint8_t> record);
