#include "rpg/format/records.h"

#include <array>

namespace rpgfmt {
namespace {

using K = FieldKind;
using D = FieldDefault;

// Actor header (bytes 0-9), shared by character sheets and map characters.
#define ACTOR_HEADER(first, second)                                                     \
  {first, 0, K::kU8, 1, D::kKeyId1, true}, {second, 1, K::kU8, 1, D::kKeyId2, true},                \
      {"facing", 2, K::kU8, 1}, {"step", 3, K::kU8, 1}, {"mode", 4, K::kU8, 1},         \
      {"x", 5, K::kU8, 1}, {"y", 6, K::kU8, 1}, {"targetX", 7, K::kU8, 1},              \
      {"targetY", 8, K::kU8, 1}

// CharStats, 26 bytes at `base`.
#define CHAR_STATS(base)                                                                 \
  {"stats.level", base + 0, K::kU8, 1}, {"stats.immunity", base + 1, K::kU8, 1},         \
      {"stats.weaponFlags", base + 2, K::kU8, 1},                                        \
      {"stats.attackMagic", base + 3, K::kU8, 1}, {"stats.hpRegen", base + 4, K::kU8, 1}, \
      {"stats.mpRegen", base + 5, K::kU8, 1}, {"stats.maxHp", base + 6, K::kU16, 2},     \
      {"stats.hp", base + 8, K::kU16, 2}, {"stats.maxMp", base + 10, K::kU16, 2},        \
      {"stats.mp", base + 12, K::kU16, 2}, {"stats.attack", base + 14, K::kU16, 2},      \
      {"stats.defence", base + 16, K::kU16, 2}, {"stats.exp", base + 18, K::kU16, 2},    \
      {"stats.nextExp", base + 20, K::kU16, 2}, {"stats.agility", base + 22, K::kU8, 1}, \
      {"stats.spirit", base + 23, K::kU8, 1}, {"stats.luck", base + 24, K::kU8, 1},      \
      {"stats.weaponPower", base + 25, K::kU8, 1}

// Character sheet (3, 1, id), 58 bytes:
//   0 actor header (9 chain count)  10 name[12]  22 sprite  23 chain
//   24 equipment[8]: head, body, cape, bracer, hand-held, footwear, ornament ×2
//   32 CharStats[26]
constexpr Field kCharacterFields[] = {
    ACTOR_HEADER("picGroup", "charId"),
    {"chainCount", 9, K::kU8, 1},
    {"name", 10, K::kText, 12},
    {"sprite", 22, K::kU8, 1},
    {"chain", 23, K::kU8, 1},
    {"equipment.head", 24, K::kU8, 1},
    {"equipment.body", 25, K::kU8, 1},
    {"equipment.cape", 26, K::kU8, 1},
    {"equipment.bracer", 27, K::kU8, 1},
    {"equipment.handHeld", 28, K::kU8, 1},
    {"equipment.footwear", 29, K::kU8, 1},
    {"equipment.ornament1", 30, K::kU8, 1},
    {"equipment.ornament2", 31, K::kU8, 1},
    CHAR_STATS(32),
};

// Map character (3, 2 or 4, id), 23 bytes: 0-8 actor header, 9-20 carried,
// 21 restTime, 22 picture number (sheet 8, picGroup, this).
constexpr Field kMapCharacterFields[] = {
    ACTOR_HEADER("picGroup", "npcNo"),
    {"carried", 9, K::kBytes, 12, D::kZero, true},
    {"restTime", 21, K::kU8, 1},
    {"picture", 22, K::kU8, 1},
};

// Enemy (3, 3, id), 48 bytes.
constexpr Field kEnemyFields[] = {
    {"recordClass", 0, K::kU8, 1, D::kKeyId1, true},
    {"enemyId", 1, K::kU8, 1, D::kKeyId2, true},
    {"magicCount", 2, K::kU8, 1},
    {"immunity", 3, K::kU8, 1},
    {"hitStatus", 4, K::kU8, 1},
    {"byte5", 5, K::kU8, 1, D::kZero, true},
    {"name", 6, K::kText, 12},
    {"level", 18, K::kU8, 1},
    {"agility", 19, K::kU8, 1},
    {"spirit", 20, K::kU8, 1},
    {"magicRate", 21, K::kU8, 1},
    {"luck", 22, K::kU8, 1},
    {"hitStatusTurns", 23, K::kU8, 1},
    {"maxHp", 24, K::kU16, 2},
    {"hp", 26, K::kU16, 2},
    {"maxMp", 28, K::kU16, 2},
    {"mp", 30, K::kU16, 2},
    {"attack", 32, K::kU16, 2},
    {"defence", 34, K::kU16, 2},
    {"money", 36, K::kU16, 2},
    {"exp", 38, K::kU16, 2},
    {"stealKind", 40, K::kU8, 1},
    {"stealId", 41, K::kU8, 1},
    {"stealCount", 42, K::kU8, 1},
    {"dropKind", 43, K::kU8, 1},
    {"dropId", 44, K::kU8, 1},
    {"dropOn", 45, K::kU8, 1},
    {"picture", 46, K::kU8, 1},
    {"magicList", 47, K::kU8, 1},
};

// Item (6, kind, id), 134 bytes: 0 kind, 1 id, 2 unread, 3 wearer mask,
// 4 weaponPower, 5 picture, 6 name[12], 18 buy, 20 sell, 22 effect[8],
// 30 description[102], 132 event flag.
constexpr Field kItemFields[] = {
    {"kind", 0, K::kU8, 1, D::kKeyId1, true},
    {"itemId", 1, K::kU8, 1, D::kKeyId2, true},
    {"byte2", 2, K::kU8, 1, D::kZero, true},
    {"wearers", 3, K::kU8, 1},
    {"weaponPower", 4, K::kU8, 1},
    {"picture", 5, K::kU8, 1},
    {"name", 6, K::kText, 12},
    {"buyPrice", 18, K::kU16, 2},
    {"sellPrice", 20, K::kU16, 2},
    {"effect", 22, K::kBytes, 8},
    {"description", 30, K::kText, 102},
    {"flag", 132, K::kU16, 2},
};

// Magic (4, class, id): 0 class, 1 id, 2 unread, 3 target, 4 mp cost,
// 5 animation, 6 name[12], 18 effect block[8], 26 description (to its zero).
constexpr Field kMagicFields[] = {
    {"class", 0, K::kU8, 1, D::kKeyId1, true},
    {"magicId", 1, K::kU8, 1, D::kKeyId2, true},
    {"byte2", 2, K::kU8, 1, D::kZero, true},
    {"target", 3, K::kU8, 1},
    {"mpCost", 4, K::kU8, 1},
    {"animation", 5, K::kU8, 1},
    {"name", 6, K::kText, 12},
    {"effect.hp", 18, K::kU16, 2},
    {"effect.mp", 20, K::kU16, 2},
    {"effect.defence", 22, K::kU8, 1},
    {"effect.attack", 23, K::kU8, 1},
    {"effect.status", 24, K::kU8, 1},
    {"effect.agility", 25, K::kU8, 1},
    {"description", 26, K::kTailText, 0},
};

// Magic chain (12, 1, id): 0-1 key bytes, 2 count, from 3 (class, id) pairs.
constexpr Field kChainFields[] = {
    {"id1", 0, K::kU8, 1, D::kKeyId1, true},
    {"id2", 1, K::kU8, 1, D::kKeyId2, true},
};
constexpr Field kChainEntry[] = {
    {"class", 0, K::kU8, 1},
    {"id", 1, K::kU8, 1},
};
constexpr ListSpec kChainList{"magics", 2, 3, 2, kChainEntry, 50};

// Level table (12, 2, character id): 0-1 key bytes, 2 last level, 3 unread,
// from 4 one 20-byte row per level.
constexpr Field kLevelFields[] = {
    {"id1", 0, K::kU8, 1, D::kKeyId1, true},
    {"id2", 1, K::kU8, 1, D::kKeyId2, true},
    {"byte3", 3, K::kU8, 1, D::kZero, true},
};
constexpr Field kLevelRow[] = {
    {"maxHp", 0, K::kU16, 2},   {"hp", 2, K::kU16, 2},       {"maxMp", 4, K::kU16, 2},
    {"mp", 6, K::kU16, 2},      {"attack", 8, K::kU16, 2},   {"defence", 10, K::kU16, 2},
    {"unused", 12, K::kU16, 2, D::kZero, true}, {"nextExp", 14, K::kU16, 2}, {"agility", 16, K::kU8, 1},
    {"spirit", 17, K::kU8, 1},  {"luck", 18, K::kU8, 1},     {"chainCount", 19, K::kU8, 1},
};
constexpr ListSpec kLevelList{"levels", 2, 4, 20, kLevelRow, 255};

constexpr std::array<RecordLayout, 7> kLayouts{{
    {RecordKind::kCharacterSheet, "character", ResType::kActorRecord, 58, kCharacterFields},
    {RecordKind::kMapCharacter, "npc", ResType::kActorRecord, 23, kMapCharacterFields},
    {RecordKind::kEnemy, "enemy", ResType::kActorRecord, 48, kEnemyFields},
    {RecordKind::kItem, "item", ResType::kItemRecord, 134, kItemFields},
    {RecordKind::kMagic, "magic", ResType::kMagicRecord, 26, kMagicFields},
    {RecordKind::kMagicChain, "chain", ResType::kMagicList, 3, kChainFields, &kChainList},
    {RecordKind::kLevelTable, "levels", ResType::kMagicList, 4, kLevelFields, &kLevelList},
}};

constexpr Field kAnimHeader[] = {
    {"id1", 0, K::kU8, 1, D::kKeyId1, true},
    {"id2", 1, K::kU8, 1, D::kKeyId2, true},
    {"first", 4, K::kU8, 1},
    {"last", 5, K::kU8, 1},
};
constexpr Field kAnimElement[] = {
    {"dx", 0, K::kU8, 1},   {"dy", 1, K::kU8, 1},      {"life", 2, K::kU8, 1},
    {"delay", 3, K::kU8, 1}, {"picture", 4, K::kU8, 1},
};

}  // namespace

std::span<const RecordLayout> AllRecordLayouts() { return kLayouts; }

const RecordLayout* LayoutForKey(ResKey key) {
  auto pick = [](RecordKind k) { return &kLayouts[static_cast<std::size_t>(k)]; };
  switch (static_cast<ResType>(key.type)) {
    case ResType::kActorRecord:
      if (key.id1 == 1) return pick(RecordKind::kCharacterSheet);
      if (key.id1 == 2 || key.id1 == 4) return pick(RecordKind::kMapCharacter);
      if (key.id1 == 3) return pick(RecordKind::kEnemy);
      return nullptr;
    case ResType::kItemRecord:
      return pick(RecordKind::kItem);
    case ResType::kMagicRecord:
      return pick(RecordKind::kMagic);
    case ResType::kMagicList:
      if (key.id1 == 1) return pick(RecordKind::kMagicChain);
      if (key.id1 == 2) return pick(RecordKind::kLevelTable);
      return nullptr;
    default:
      return nullptr;
  }
}

const RecordLayout* LayoutByName(std::string_view name) {
  for (const RecordLayout& l : kLayouts) {
    if (name == l.name) return &l;
  }
  return nullptr;
}

std::size_t RecordSize(const RecordLayout& layout, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < layout.size) return 0;
  std::size_t size = layout.size;
  if (layout.list != nullptr) {
    const ListSpec& l = *layout.list;
    size = l.listOffset + std::size_t{bytes[l.countOffset]} * l.elementSize;
    if (size > bytes.size()) return 0;
  }
  for (const Field& f : layout.fields) {
    if (f.kind != FieldKind::kTailText) continue;
    std::size_t at = f.offset;
    while (at < bytes.size() && bytes[at] != 0) ++at;
    if (at == bytes.size()) return 0;
    size = at + 1;
  }
  return size;
}

namespace anim {

std::span<const Field> ElementFields() { return kAnimElement; }
std::span<const Field> HeaderFields() { return kAnimHeader; }

std::size_t PictureSize(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at + 6 > bytes.size()) return 0;
  const std::size_t w = bytes[at + 2], h = bytes[at + 3];
  const std::size_t depth = bytes[at + 5] == 2 ? 2 : 1;
  const std::size_t size = 6 + (w + 7) / 8 * h * depth;
  return at + size <= bytes.size() ? size : 0;
}

}  // namespace anim

}  // namespace rpgfmt
