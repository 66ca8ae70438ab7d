// The field tables of the save records.
#include <array>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "rpg/format/save_layout.h"

namespace rpgfmt::save {
namespace {

using K = SaveFieldKind;
using S = SavedState;
using M = MemberRecord;

constexpr std::array<SaveField<S>, 36> kRecord0{{
    {"mapName", 0, K::kText, &S::mapName},
    {"randomBattle", 11, K::kU8, &S::randomBattle},
    {"partyIds", 12, K::kBytes, &S::partyIds},
    {"partyLeader", 15, K::kU8, &S::partyLeader},
    {"invCount", 16, K::kU8, &S::invCount},
    {"encounterOn", 17, K::kU8, &S::encounterOn},
    {"scriptNo", 18, K::kU8, &S::scriptNo},
    {"scriptBank", 19, K::kU8, &S::scriptBank},
    {"scriptRunning", 20, K::kU8, &S::scriptRunning},
    {"scriptPc", 21, K::kU16Be, &S::scriptPc},
    {"reserved", 23, K::kU16Be, &S::reserved},
    {"encounterParams", 25, K::kBytes, &S::encounterParams},
    {"money", 28, K::kU32, &S::money},
    {"encounterEnemies", 32, K::kBytes, &S::encounterEnemies},
    {"viewX", 40, K::kU8, &S::viewX},
    {"viewY", 41, K::kU8, &S::viewY},
    {"mapWidth", 42, K::kU8, &S::mapWidth},
    {"mapHeight", 43, K::kU8, &S::mapHeight},
    {"mapBlock", 44, K::kU16, &S::mapBlock},
    {"mapOffset", 46, K::kU16, &S::mapOffset},
    {"tileWidth", 48, K::kU8, &S::tileWidth},
    {"tileHeight", 49, K::kU8, &S::tileHeight},
    {"tileBlock", 50, K::kU16, &S::tileBlock},
    {"musicTrack", 52, K::kU8, &S::musicTrack},
    {"musicLoops", 53, K::kU8, &S::musicLoops},
    {"soundOn", 54, K::kU8, &S::soundOn},
    {"npcPicNo", 55, K::kBytes, &S::npcPicNo},
    {"memberPicNo", 95, K::kBytes, &S::memberPicNo},
    {"mapType", 98, K::kU8, &S::mapType},
    {"mapIndex", 99, K::kU8, &S::mapIndex},
    {"saveAllowed", 100, K::kU8, &S::saveAllowed},
    {"timerEvent", 101, K::kU8, &S::timerEvent},
    {"timerCount", 102, K::kU16Be, &S::timerCount},
    {"showCoords", 104, K::kU8, &S::showCoords},
    {"throwHandHeld", 105, K::kU8, &S::throwHandHeld},
    {"evasionOn", 106, K::kU8, &S::evasionOn},
}};

constexpr std::array<SaveField<M>, 18> kMember{{
    {"picGroup", 0, K::kU8, &M::picGroup},
    {"id", 1, K::kU8, &M::id},
    {"facing", 2, K::kU8, &M::facing},
    {"step", 3, K::kU8, &M::step},
    {"mode", 4, K::kU8, &M::mode},
    {"viewCol", 5, K::kU8, &M::viewCol},
    {"viewRow", 6, K::kU8, &M::viewRow},
    {"targetX", 7, K::kU8, &M::targetX},
    {"targetY", 8, K::kU8, &M::targetY},
    {"chainCount", 9, K::kU8, &M::chainCount},
    {"spriteBlock", 10, K::kU8, &M::spriteBlock},
    {"spriteOffset", 12, K::kU16, &M::spriteOffset},
    {"chainId", 14, K::kU8, &M::chainId},
    {"magicCount", 15, K::kU8, &M::magicCount},
    {"name", 26, K::kText, &M::name},
    {"stats", 38, K::kBytes, &M::stats},
    {"equipment", 64, K::kBytes, &M::equipment},
    {"magic", 72, K::kBytes, &M::magic},
}};

// Each table covers its record's used bytes in order, without gaps other
// than the ones the layout leaves (the map name's terminator; member bytes
// 11 and 16 ... 25), and without overlaps.
template <class Rec, std::size_t N>
constexpr bool Tiles(const std::array<SaveField<Rec>, N>& table, std::size_t end,
                     std::initializer_list<std::pair<std::size_t, std::size_t>> gaps) {
  std::size_t at = 0;
  for (const SaveField<Rec>& f : table) {
    for (auto [from, to] : gaps) {
      if (at == from) at = to;
    }
    if (f.offset != at) return false;
    at += FieldSize(f);
  }
  return at == end;
}
static_assert(Tiles(kRecord0, kRecord0Used, {{10, 11}}));
static_assert(Tiles(kMember, kMemberRecordSize, {{11, 12}, {16, 26}}));

}  // namespace

std::span<const SaveField<SavedState>> Record0Fields() { return kRecord0; }
std::span<const SaveField<MemberRecord>> MemberFields() { return kMember; }

}  // namespace rpgfmt::save
