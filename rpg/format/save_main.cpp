// The main file of a save slot: building it and reading it back checked.
#include <algorithm>
#include <string>

#include "codec/bytes.h"
#include "rpg/format/actor_records.h"
#include "rpg/format/save_field_io.h"
#include "rpg/format/save_layout.h"

namespace rpgfmt::save {
namespace {

constexpr std::size_t kRecord1 = kRecordOffsets[1];
constexpr std::size_t kEventsOffset = kRecord1 + 3;
static_assert(kEventsOffset + 2 * kSavedEvents == kVarsOffset);
static_assert(kVarsOffset + kSavedVars == kFlagsOffset);
static_assert(kFlagsOffset + kSavedFlagBytes == kInventoryOffset);
static_assert(kInventoryOffset + kInventoryBytes == kNpcsOffset);
static_assert(kNpcsOffset + kNpcEntries * kNpcEntrySize == kMainFileSize);
static_assert(kNpcEntrySize == npcmem::kUsed);

using codec::ErrorAt;
using Bytes = std::span<const std::uint8_t>;

std::string Num(unsigned n) { return std::to_string(n); }

template <std::size_t N>
void CopyAt(const std::array<std::uint8_t, N>& from, std::vector<std::uint8_t>& out,
            std::size_t at) {
  std::copy(from.begin(), from.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
}

template <std::size_t N>
void CopyFrom(Bytes in, std::size_t at, std::array<std::uint8_t, N>& to) {
  std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(at), N, to.begin());
}

// Record 0's fields, in the order of their bytes.
std::optional<codec::Error> CheckState(const SavedState& s) {
  const auto table = Record0Fields();
  const std::size_t kIds = FieldOffset(table, "partyIds"), kLeader = FieldOffset(table, "partyLeader"),
                    kInvCount = FieldOffset(table, "invCount"),
                    kScriptRunning = FieldOffset(table, "scriptRunning");
  for (std::size_t i = 0; i < kPartySlots; ++i) {
    const unsigned id = s.partyIds[i];
    if (id > kLastMemberId) {
      return ErrorAt(kIds + i, "party slot " + Num(i) + " holds character " + Num(id) +
                                   "; saves hold characters 1 ... 25");
    }
    if (id != 0 && std::find(s.partyIds.begin(), s.partyIds.begin() + i, id) !=
                       s.partyIds.begin() + i) {
      return ErrorAt(kIds + i, "character " + Num(id) + " is in the party twice");
    }
  }
  if (s.partyLeader > kLastPartyLeader) {
    return ErrorAt(kLeader, "party leader " + Num(s.partyLeader) + " is not a party slot");
  }
  if (s.invCount > kInventoryEntries) {
    return ErrorAt(kInvCount, "inventory count " + Num(s.invCount) + " is above 200");
  }
  if (s.scriptRunning > kLastScriptRunning) {
    return ErrorAt(kScriptRunning, "script state " + Num(s.scriptRunning) + " is above 2");
  }
  return std::nullopt;
}

std::optional<codec::Error> CheckInventory(const MainFile& m) {
  for (std::size_t e = 0; e < m.state.invCount; ++e) {
    const std::size_t at = 3 * e;
    const unsigned kind = m.inventory[at], count = m.inventory[at + 2];
    if (kind == 0 || kind > kLastItemKind) {
      return ErrorAt(kInventoryOffset + at,
                     "inventory entry " + Num(e) + " has item kind " + Num(kind));
    }
    if (count == 0) {
      return ErrorAt(kInventoryOffset + at + 2, "inventory entry " + Num(e) + " has count 0");
    }
  }
  return std::nullopt;
}

// A coordinate of an occupied map character: its cell must lie on the map;
// a target may also be "none" (225 or more).
std::optional<codec::Error> CheckCoordinate(const NpcEntry& e, std::size_t base, std::size_t field,
                                            unsigned size, bool target) {
  const unsigned v = e[field];
  if (v < size || (target && v >= kNoTarget)) return std::nullopt;
  return ErrorAt(base + field, std::string("map character ") + (target ? "target " : "cell ") +
                                   "coordinate " + Num(v) + " lies outside the map (size " +
                                   Num(size) + ")");
}

std::optional<codec::Error> CheckNpcs(const MainFile& m) {
  for (std::size_t n = 0; n < kNpcEntries; ++n) {
    const NpcEntry& e = m.npcs[n];
    if (!Occupied(e)) continue;
    const std::size_t base = kNpcsOffset + n * kNpcEntrySize;
    if (e[actor::kFacing] < actor::kFirstFacing || e[actor::kFacing] > actor::kLastFacing) {
      return ErrorAt(base + actor::kFacing, "map character " + Num(n) + " has facing " +
                                                Num(e[actor::kFacing]));
    }
    if (e[actor::kStep] > actor::kLastStep) {
      return ErrorAt(base + actor::kStep,
                     "map character " + Num(n) + " has step " + Num(e[actor::kStep]));
    }
    const unsigned w = m.state.mapWidth, h = m.state.mapHeight;
    for (auto error : {CheckCoordinate(e, base, actor::kX, w, false),
                       CheckCoordinate(e, base, actor::kY, h, false),
                       CheckCoordinate(e, base, actor::kTargetX, w, true),
                       CheckCoordinate(e, base, actor::kTargetY, h, true)}) {
      if (error) return error;
    }
  }
  return std::nullopt;
}

}  // namespace

bool Occupied(const NpcEntry& entry) { return entry[actor::kPicGroup] != 0; }

std::vector<std::uint8_t> BuildMainFile(const MainFile& value) {
  std::vector<std::uint8_t> out(kMainFileSize, 0);
  StoreFields(Record0Fields(), value.state, out.data());
  codec::StoreLe(out.data() + kRecord1, value.scriptLength);
  out[kRecord1 + 2] = value.eventCount;
  for (std::size_t e = 0; e < kSavedEvents; ++e) {
    codec::StoreLe(out.data() + kEventsOffset + 2 * e, value.events[e]);
  }
  CopyAt(value.scriptVars, out, kVarsOffset);
  CopyAt(value.eventFlags, out, kFlagsOffset);
  CopyAt(value.inventory, out, kInventoryOffset);
  for (std::size_t n = 0; n < kNpcEntries; ++n) {
    CopyAt(value.npcs[n], out, kNpcsOffset + n * kNpcEntrySize);
  }
  return out;
}

codec::Result<MainFile> ParseMainFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kMainFileSize) {
    return ErrorAt(std::min(bytes.size(), kMainFileSize),
                   "a main save file is 2705 bytes, this one " + Num(unsigned(bytes.size())));
  }
  const auto spare = std::find_if(bytes.begin() + kRecord0Used, bytes.begin() + kRecord1,
                                  [](std::uint8_t b) { return b != 0; });
  if (spare != bytes.begin() + kRecord1) {
    return ErrorAt(std::size_t(spare - bytes.begin()),
                   "record 0 has data in its spare bytes (a newer save format)");
  }
  MainFile m{};
  m.state = LoadFields(Record0Fields(), bytes.data());
  m.scriptLength = codec::LoadLe<std::uint16_t>(bytes.data() + kRecord1);
  m.eventCount = bytes[kRecord1 + 2];
  for (std::size_t e = 0; e < kSavedEvents; ++e) {
    m.events[e] = codec::LoadLe<std::uint16_t>(bytes.data() + kEventsOffset + 2 * e);
  }
  CopyFrom(bytes, kVarsOffset, m.scriptVars);
  CopyFrom(bytes, kFlagsOffset, m.eventFlags);
  CopyFrom(bytes, kInventoryOffset, m.inventory);
  for (std::size_t n = 0; n < kNpcEntries; ++n) {
    CopyFrom(bytes, kNpcsOffset + n * kNpcEntrySize, m.npcs[n]);
  }
  for (auto error : {CheckState(m.state), CheckInventory(m), CheckNpcs(m)}) {
    if (error) return *error;
  }
  return m;
}

std::vector<InventoryEntry> InventoryInUse(const MainFile& value) {
  std::vector<InventoryEntry> out;
  const std::size_t n = std::min<std::size_t>(value.state.invCount, kInventoryEntries);
  for (std::size_t e = 0; e < n; ++e) {
    out.push_back({value.inventory[3 * e], value.inventory[3 * e + 1], value.inventory[3 * e + 2]});
  }
  return out;
}

}  // namespace rpgfmt::save
