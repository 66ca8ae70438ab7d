#pragma once
// Save values for tests: every field drawn from a seeded generator, then
// brought within what the parsers accept, so that a round trip through the
// bytes must give the same value back.

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <span>
#include <type_traits>
#include <variant>

#include "rpg/format/save_layout.h"

namespace savesample {

using namespace rpgfmt::save;

inline std::uint8_t Byte(std::mt19937& rng, unsigned from = 0, unsigned to = 255) {
  return static_cast<std::uint8_t>(std::uniform_int_distribution<unsigned>(from, to)(rng));
}

template <class Array>
void Fill(std::mt19937& rng, Array& a) {
  for (auto& v : a) v = static_cast<std::decay_t<decltype(v)>>(rng());
}

// Every field of a record's table at random.
template <class Rec>
void RandomFields(std::mt19937& rng, std::span<const SaveField<Rec>> table, Rec& rec) {
  for (const auto& f : table) {
    std::visit(
        [&](auto p) {
          using T = std::decay_t<decltype(rec.*p)>;
          if constexpr (std::is_integral_v<T>) {
            rec.*p = static_cast<T>(rng());
          } else {
            Fill(rng, rec.*p);
          }
        },
        f.member);
  }
}

// An occupied map character standing on a w x h map, targets on the map or
// none.
inline NpcEntry Npc(std::mt19937& rng, unsigned w, unsigned h) {
  NpcEntry e;
  Fill(rng, e);
  e[0] = Byte(rng, 1);
  e[2] = Byte(rng, 1, 4);
  e[3] = Byte(rng, 0, 3);
  e[5] = Byte(rng, 0, w - 1);
  e[6] = Byte(rng, 0, h - 1);
  e[7] = rng() % 2 ? Byte(rng, 0, w - 1) : Byte(rng, kNoTarget);
  e[8] = rng() % 2 ? Byte(rng, 0, h - 1) : Byte(rng, kNoTarget);
  return e;
}

inline MainFile Main(std::uint32_t seed) {
  std::mt19937 rng(seed);
  MainFile m{};
  SavedState& s = m.state;
  RandomFields(rng, Record0Fields(), s);
  std::array<std::uint8_t, kLastMemberId> ids;
  std::iota(ids.begin(), ids.end(), std::uint8_t{1});
  std::shuffle(ids.begin(), ids.end(), rng);
  for (std::size_t i = 0; i < kPartySlots; ++i) s.partyIds[i] = rng() % 4 ? ids[i] : 0;
  s.partyLeader = Byte(rng, 0, kLastPartyLeader);
  s.invCount = Byte(rng, 0, kInventoryEntries);
  s.scriptRunning = Byte(rng, 0, kLastScriptRunning);
  s.mapWidth = Byte(rng, 1);
  s.mapHeight = Byte(rng, 1);
  m.scriptLength = static_cast<std::uint16_t>(rng());
  m.eventCount = Byte(rng);
  Fill(rng, m.events);
  Fill(rng, m.scriptVars);
  Fill(rng, m.eventFlags);
  Fill(rng, m.inventory);
  for (std::size_t e = 0; e < s.invCount; ++e) {
    m.inventory[3 * e] = Byte(rng, 1, kLastItemKind);
    m.inventory[3 * e + 2] = Byte(rng, 1, 99);
  }
  for (NpcEntry& e : m.npcs) {
    e = Npc(rng, s.mapWidth, s.mapHeight);
    if (rng() % 4 == 0) e[0] = 0;  // empty entries keep their other bytes
  }
  return m;
}

inline MemberRecord Member(std::uint8_t id, std::uint32_t seed) {
  std::mt19937 rng(seed);
  MemberRecord r{};
  RandomFields(rng, MemberFields(), r);
  r.picGroup = Byte(rng, 0, 223);
  r.id = id;
  r.facing = Byte(rng, 1, 4);
  r.step = Byte(rng, 0, 3);
  return r;
}

}  // namespace savesample
