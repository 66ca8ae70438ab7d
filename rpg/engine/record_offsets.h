#pragma once
// Offsets inside library records that the engine reads and that the format
// library does not name yet. They are the offsets of its record field tables
// (rpg/format/records.cpp); a test compares each with the table, so the two
// cannot drift apart.

#include <cstddef>

namespace recoffsets {

// Character sheet (3, 1, id): the actor header, the name, the initial
// equipment and CharStats.
namespace charsheet {
inline constexpr std::size_t kHeader = 0, kHeaderSize = 10;
inline constexpr std::size_t kName = 10, kNameSize = 12;
inline constexpr std::size_t kEquipment = 24, kEquipmentSize = 8;
inline constexpr std::size_t kStats = 32, kStatsSize = 26;
}  // namespace charsheet

// Map character (3, 2 or 4, no): bytes 0 ... 21 go into the slot's record.
namespace npcrec {
inline constexpr std::size_t kRestTime = 21;
inline constexpr std::size_t kCopied = 22;
}  // namespace npcrec

// Magic chain (12, 1, id): a count, then (class, id) pairs.
namespace chain {
inline constexpr std::size_t kCount = 2, kEntries = 3, kEntrySize = 2;
}  // namespace chain

}  // namespace recoffsets
