#pragma once
// The party's members in slot order, and their names packed for a list
// chooser: 10 bytes a name, padded with blanks.

#include <cstdint>
#include <vector>

inline constexpr int kListNameBytes = 10;

// The slots whose character id is not 0, slot 0 first.
std::vector<uint8_t> MemberSlots();

// The names of the members in `slots`, each cut to 10 bytes without
// splitting a two-byte character and padded with blanks to 10 bytes, end to
// end with no zero between them.
std::vector<uint8_t> PackedMemberNames(const std::vector<uint8_t>& slots);
