#include "rpg/engine/save_check.h"

#include <algorithm>

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/actor_records.h"
#include "rpg/format/library.h"
#include "rpg/format/map.h"

namespace sv = rpgfmt::save;
using rpgfmt::ResType;

namespace {

constexpr uint8_t kMaxItemCount = 99;
constexpr uint8_t kEnemyKind = 3;
constexpr uint8_t kMemberKind = 1;

// The resource's bytes, or empty when the library lacks it; runStatus stays.
std::span<const uint8_t> Find(ResType type, uint8_t id1, uint8_t id2) {
  const uint8_t status = game.runStatus;
  game.runStatus = 0;
  std::span<const uint8_t> bytes = LibResource(uint8_t(type), id1, id2);
  if (game.runStatus) bytes = {};
  game.runStatus = status;
  return bytes;
}

bool Has(ResType type, uint8_t id1, uint8_t id2) { return !Find(type, id1, id2).empty(); }

struct MapSize {
  int width = 0;
  int height = 0;
};

// The size of the library's map (2, type, index), or 0 x 0 without one.
MapSize LibraryMap(uint8_t type, uint8_t index) {
  const std::span<const uint8_t> map = Find(ResType::kMap, type, index);
  if (map.size() < rpgfmt::kMapHeaderSize) return {};
  return {map[rpgfmt::kMapWidthOffset], map[rpgfmt::kMapHeightOffset]};
}

bool NpcsFit(const sv::MainFile& value, MapSize map) {
  for (std::size_t i = 0; i < sv::kNpcEntries; ++i) {
    const sv::NpcEntry& e = value.npcs[i];
    if (!sv::Occupied(e)) continue;
    if (e[rpgfmt::actor::kX] >= map.width || e[rpgfmt::actor::kY] >= map.height) return false;
    if (!Has(ResType::kActorSheet, e[0], value.state.npcPicNo[i])) return false;
  }
  return true;
}

bool ItemsKnown(sv::MainFile& value) {
  for (std::size_t i = 0; i < value.state.invCount; ++i) {
    uint8_t* entry = &value.inventory[3 * i];
    if (!Has(ResType::kItemRecord, entry[0], entry[1])) return false;
    entry[2] = std::min(entry[2], kMaxItemCount);
  }
  return true;
}

}  // namespace

bool CheckMainFile(sv::MainFile& value) {
  const sv::SavedState& s = value.state;
  const MapSize map = LibraryMap(s.mapType, s.mapIndex);
  if (map.width - s.viewX < kViewCols || map.height - s.viewY < kViewRows) return false;
  if (!Has(ResType::kScript, s.scriptBank, s.scriptNo) || !NpcsFit(value, map)) return false;
  for (uint8_t enemy : s.encounterEnemies) {
    if (enemy != 0 && !Has(ResType::kActorRecord, kEnemyKind, enemy)) return false;
  }
  return ItemsKnown(value);
}

bool CheckMemberRecord(sv::MemberRecord& record) {
  const std::span<const uint8_t> sheet = Find(ResType::kActorRecord, kMemberKind, record.id);
  if (sheet.size() < rpgfmt::charsheet::kSize) return false;
  if (!Has(ResType::kActorSheet, kMemberKind, sheet[rpgfmt::charsheet::kSprite])) return false;
  for (const sv::ItemRef& item : sv::WornItems(record)) {
    if (!Has(ResType::kItemRecord, item.kind, item.id)) return false;
  }
  for (const sv::MagicRef& magic : sv::SavedMagics(record)) {
    if (!Has(ResType::kMagicRecord, magic.magicClass, magic.id)) return false;
  }
  record.magicCount = uint8_t(std::min<std::size_t>(record.magicCount, sv::kSavedMagics));
  return true;
}
