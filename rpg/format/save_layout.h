#pragma once
// The saved game's files: the main file of a slot (13 fixed records, 2705
// bytes), the member file of a slot (one 172-byte record per character id
// 1 ... 25 at (id - 1) x 172) and a parked member's file (one record).
//
// Each record layout is one table of named fields (Record0Fields(),
// MemberFields()); building, parsing and datlib's text dump all walk the same
// table, so they cannot disagree. Numbers are little-endian except the
// fields marked high-byte-first. Parsing is a pure function: bytes in, a
// checked value or the first problem with its byte offset out. The checks
// here are those that need no data library; the game adds the library's
// (what the ids refer to) and brings counts and stats within limits.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "codec/result.h"

namespace rpgfmt::save {

template <std::size_t N>
using Bytes = std::array<std::uint8_t, N>;

// Sizes and places of the main file. The records lie back to back; the
// arrays they hold are contiguous across record boundaries.
inline constexpr std::size_t kMainRecords = 13;
inline constexpr std::array<std::uint16_t, kMainRecords> kRecordOffsets = {
    0, 255, 510, 765, 1020, 1065, 1320, 1575, 1665, 1899, 2133, 2367, 2601};
inline constexpr std::size_t kMainFileSize = 2705;
inline constexpr std::size_t kRecord0Used = 107;  // bytes 107 ... 254 are 0
inline constexpr std::size_t kSavedEvents = 126;  // the first 252 bytes of the event table
inline constexpr std::size_t kSavedVars = 255;    // variables 0 ... 254
inline constexpr std::size_t kSavedFlagBytes = 300;
inline constexpr std::size_t kInventoryEntries = 200;
inline constexpr std::size_t kInventoryBytes = 3 * kInventoryEntries;
inline constexpr std::size_t kNpcEntries = 40;
inline constexpr std::size_t kNpcEntrySize = 26;  // the used bytes of a map character's record
inline constexpr std::size_t kVarsOffset = 510, kFlagsOffset = 765, kInventoryOffset = 1065,
                             kNpcsOffset = 1665;

// Member records.
inline constexpr std::size_t kMemberRecordSize = 172;
inline constexpr std::uint8_t kFirstMemberId = 1, kLastMemberId = 25;
inline constexpr std::size_t kSavedMagics = 50;
inline constexpr std::size_t kPartySlots = 3;
inline constexpr std::uint8_t kLastPartyLeader = 2, kLastScriptRunning = 2;
inline constexpr std::uint8_t kLastItemKind = 14;
// A target coordinate of this or more means "no target".
inline constexpr std::uint8_t kNoTarget = 225;

// Record 0: the game state, by the state record's names.
struct SavedState {
  Bytes<10> mapName;  // GB2312, zero-padded; byte 10 of the file is its terminator
  std::uint8_t randomBattle;
  Bytes<3> partyIds;  // character ids of party slots 0, 1, 2; 0 = empty
  std::uint8_t partyLeader;
  std::uint8_t invCount;
  std::uint8_t encounterOn;
  std::uint8_t scriptNo;    // lastScriptNo when saving
  std::uint8_t scriptBank;  // lastScriptBank when saving
  std::uint8_t scriptRunning;
  std::uint16_t scriptPc;  // high byte first
  std::uint16_t reserved;  // high byte first; never read back
  Bytes<3> encounterParams;
  std::uint32_t money;
  Bytes<8> encounterEnemies;
  std::uint8_t viewX, viewY;
  std::uint8_t mapWidth, mapHeight;
  std::uint16_t mapBlock, mapOffset;
  std::uint8_t tileWidth, tileHeight;
  std::uint16_t tileBlock;
  std::uint8_t musicTrack, musicLoops, soundOn;
  Bytes<40> npcPicNo;
  Bytes<3> memberPicNo;
  std::uint8_t mapType, mapIndex;
  std::uint8_t saveAllowed;
  std::uint8_t timerEvent;
  std::uint16_t timerCount;  // high byte first
  std::uint8_t showCoords, throwHandHeld, evasionOn;

  bool operator==(const SavedState&) const = default;
};

// A map character's entry: the first 26 bytes of its record (layout
// npcmem::kFields in actor_records.h); picGroup 0 marks an empty entry.
using NpcEntry = Bytes<kNpcEntrySize>;
bool Occupied(const NpcEntry& entry);

// The whole main file.
struct MainFile {
  SavedState state;  // record 0
  // Record 1.
  std::uint16_t scriptLength;
  std::uint8_t eventCount;
  std::array<std::uint16_t, kSavedEvents> events;
  // Records 2 ... 7.
  Bytes<kSavedVars> scriptVars;
  Bytes<kSavedFlagBytes> eventFlags;
  Bytes<kInventoryBytes> inventory;  // 200 entries of (kind, id, count)
  // Records 8 ... 12.
  std::array<NpcEntry, kNpcEntries> npcs;

  bool operator==(const MainFile&) const = default;
};

// A member's record, 172 bytes: actor header, sprite, chain, name, stats,
// equipment and the first 50 magics. Bytes 11 and 16 ... 25 are written as 0
// and ignored when read.
struct MemberRecord {
  std::uint8_t picGroup, id, facing, step, mode, viewCol, viewRow, targetX, targetY, chainCount;
  std::uint8_t spriteBlock;
  std::uint16_t spriteOffset;
  std::uint8_t chainId;
  std::uint8_t magicCount;
  Bytes<12> name;        // GB2312, zero-padded
  Bytes<26> stats;       // CharStats (charstats::kFields)
  Bytes<8> equipment;    // Equipment (equipment::kFields)
  Bytes<100> magic;      // 50 entries of (class, id), the first magicCount valid

  bool operator==(const MemberRecord&) const = default;
};

// A slot's member file: the record of id n at index n - 1, or nothing for
// an id the file does not hold (a zero record, one cut short, or one whose
// byte 1 is not its id).
struct MemberFile {
  std::array<std::optional<MemberRecord>, kLastMemberId> records;

  bool operator==(const MemberFile&) const = default;
};

// How a field is stored.
enum class SaveFieldKind : std::uint8_t {
  kU8,
  kU16,    // little-endian
  kU16Be,  // high byte first
  kU32,    // little-endian
  kText,   // GB2312, zero-padded
  kBytes,  // shown as a list of numbers
};

// One named field of a record: its place in the bytes and the member of the
// value that holds it.
template <class Rec>
struct SaveField {
  using Member = std::variant<std::uint8_t Rec::*, std::uint16_t Rec::*, std::uint32_t Rec::*,
                              Bytes<3> Rec::*, Bytes<8> Rec::*, Bytes<10> Rec::*,
                              Bytes<12> Rec::*, Bytes<26> Rec::*, Bytes<40> Rec::*,
                              Bytes<100> Rec::*>;
  std::string_view name;
  std::uint16_t offset;
  SaveFieldKind kind;
  Member member;
};

// The field tables, in the order of the bytes.
std::span<const SaveField<SavedState>> Record0Fields();
std::span<const SaveField<MemberRecord>> MemberFields();

// Bytes a field occupies.
template <class Rec>
constexpr std::size_t FieldSize(const SaveField<Rec>& field) {
  return std::visit([](auto m) { return sizeof(Rec{}.*m); }, field.member);
}

// The main file's 2705 bytes. The map name's terminator and bytes 107 ...
// 254 of record 0 are 0.
std::vector<std::uint8_t> BuildMainFile(const MainFile& value);

// The checked main file, or the first problem and its byte offset: a file
// not exactly 2705 bytes; a non-zero byte among 107 ... 254 (a newer
// format); a party id above 25 or repeated; partyLeader above 2; invCount
// above 200; an entry among the first invCount of kind 0 or above 14 or of
// count 0; scriptRunning above 2; an occupied map character whose facing is
// outside 1 ... 4, step above 3, cell outside the map, or a target
// coordinate below 225 but outside the map.
codec::Result<MainFile> ParseMainFile(std::span<const std::uint8_t> bytes);

// One member record's 172 bytes.
Bytes<kMemberRecordSize> BuildMemberRecord(const MemberRecord& value);

// A member file: 172 x the last id it holds, zero bytes for the ids before
// it that it does not hold.
std::vector<std::uint8_t> BuildMemberFile(const MemberFile& value);

// The checked member file, or the first problem and its byte offset: a
// length that is not a multiple of 172; a record of one of `partyIds` (zeros
// ignored) missing or with byte 1 not its id; a record held (byte 1 = id)
// whose facing is outside 1 ... 4 or step above 3.
codec::Result<MemberFile> ParseMemberFile(std::span<const std::uint8_t> bytes,
                                          std::span<const std::uint8_t> partyIds = {});

// A parked member's file: the one record.
std::vector<std::uint8_t> BuildParkedFile(const MemberRecord& value);

// The checked parked file of character `id`, or the first problem and its
// byte offset: a length other than 172, byte 0 of 224 or 255, byte 1 not
// `id`, facing outside 1 ... 4 or step above 3.
codec::Result<MemberRecord> ParseParkedFile(std::span<const std::uint8_t> bytes,
                                            std::uint8_t id);

// What a parsed save refers to, for the checks against the data library.
struct ItemRef {
  std::uint8_t kind, id;
  bool operator==(const ItemRef&) const = default;
};
struct MagicRef {
  std::uint8_t magicClass, id;
  bool operator==(const MagicRef&) const = default;
};
struct InventoryEntry {
  std::uint8_t kind, id, count;
  bool operator==(const InventoryEntry&) const = default;
};
// The first invCount entries of the inventory.
std::vector<InventoryEntry> InventoryInUse(const MainFile& value);
// The worn items, with the kind each place implies.
std::vector<ItemRef> WornItems(const MemberRecord& value);
// The first magicCount magics, at most 50.
std::vector<MagicRef> SavedMagics(const MemberRecord& value);

}  // namespace rpgfmt::save
