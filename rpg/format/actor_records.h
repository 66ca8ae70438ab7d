#pragma once
// Actor records of the data library (type 3) and the in-memory records the
// game copies them into. Each layout is one field table; the offsets the
// game reads are taken from it by name, so no offset is written twice.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "rpg/format/fields.h"

namespace rpgfmt {

// Actor header, bytes 0-8 of map characters and character sheets (a sheet's
// byte 9 is its chain count); `idName` names byte 1, the key's id2.
constexpr std::array<Field, 9> ActorHeader(std::string_view idName) {
  return {{KeyId1("picGroup"), KeyId2(idName), U8("facing", 2), U8("step", 3), U8("mode", 4),
           U8("x", 5), U8("y", 6), U8("targetX", 7), U8("targetY", 8)}};
}

namespace actor {
inline constexpr auto kFields = ActorHeader("id");
inline constexpr std::uint16_t kPicGroup = OffsetOf(kFields, "picGroup");
inline constexpr std::uint16_t kId = OffsetOf(kFields, "id");
inline constexpr std::uint16_t kFacing = OffsetOf(kFields, "facing");
inline constexpr std::uint16_t kStep = OffsetOf(kFields, "step");
inline constexpr std::uint16_t kMode = OffsetOf(kFields, "mode");
inline constexpr std::uint16_t kX = OffsetOf(kFields, "x");
inline constexpr std::uint16_t kY = OffsetOf(kFields, "y");
inline constexpr std::uint16_t kTargetX = OffsetOf(kFields, "targetX");
inline constexpr std::uint16_t kTargetY = OffsetOf(kFields, "targetY");
// Facings 1 up, 2 right, 3 down, 4 left; steps 0 ... 3 (step 3 shows pose 1).
inline constexpr std::uint8_t kFirstFacing = 1, kLastFacing = 4, kLastStep = 3;
// A walking sheet (type 8) holds three poses per facing, facing 1 first.
inline constexpr int kPosesPerFacing = 3;
inline constexpr int kWalkingPoses = kPosesPerFacing * kLastFacing;
// The group of small map characters, drawn only inside the view.
inline constexpr std::uint8_t kSmallGroup = 4;
}  // namespace actor

// Map character in the library (3, 2 or 4, n), 23 bytes: 0-8 actor header,
// 9-20 carried, 21 restTime, 22 picture number (sheet 8, picGroup, this).
namespace npcrec {
inline constexpr auto kFields =
    Join(ActorHeader("npcNo"), std::array{Quiet({"carried", 9, FieldKind::kBytes, 12}),
                                          U8("restTime", 21), U8("picture", 22)});
inline constexpr std::uint16_t kCarried = OffsetOf(kFields, "carried");
inline constexpr std::uint16_t kRestTime = OffsetOf(kFields, "restTime");
inline constexpr std::uint16_t kPicture = OffsetOf(kFields, "picture");
inline constexpr std::uint16_t kSize = EndOf(kFields);
}  // namespace npcrec

// The game's map-character record (NpcRecord): 32 bytes, 26 used.
//   0-8   actor header, as in the library record
//   9-20  carried from the library record
//   21    restTime       ticks a walker rests between walks
//   22    restCount      ticks left of the current rest
//   23    picBlock       library block of the picture sheet
//   24    picOffset u16  offset of the sheet in that block
// Loading copies the library record's bytes 0-21 (kCopied) and keeps its
// picture number (byte 22) apart, in npcPicNo.
namespace npcmem {
inline constexpr auto kFields =
    Join(ActorHeader("npcNo"), std::array{Field{"carried", npcrec::kCarried, FieldKind::kBytes, 12},
                                          U8("restTime", npcrec::kRestTime), U8("restCount", 22),
                                          U8("picBlock", 23), U16("picOffset", 24)});
inline constexpr std::uint16_t kRestTime = OffsetOf(kFields, "restTime");
inline constexpr std::uint16_t kRestCount = OffsetOf(kFields, "restCount");
inline constexpr std::uint16_t kPicBlock = OffsetOf(kFields, "picBlock");
inline constexpr std::uint16_t kPicOffset = OffsetOf(kFields, "picOffset");
inline constexpr std::uint16_t kUsed = EndOf(kFields);
inline constexpr std::uint16_t kSize = 32;
inline constexpr std::uint16_t kCopied = npcrec::kPicture;
static_assert(kUsed == 26 && kUsed <= kSize);
}  // namespace npcmem

// CharStats, 26 bytes: the same layout in the character sheet, in memory and
// in the save file.
namespace charstats {
inline constexpr std::array<Field, 18> kFields{{
    U8("level", 0),
    U8("immunity", 1),
    U8("weaponFlags", 2),
    U8("attackMagic", 3),
    U8("hpRegen", 4),
    U8("mpRegen", 5),
    U16("maxHp", 6),
    U16("hp", 8),
    U16("maxMp", 10),
    U16("mp", 12),
    U16("attack", 14),
    U16("defence", 16),
    U16("exp", 18),
    U16("nextExp", 20),
    U8("agility", 22),
    U8("spirit", 23),
    U8("luck", 24),
    U8("weaponPower", 25),
}};
inline constexpr std::uint16_t kLevel = OffsetOf(kFields, "level");
inline constexpr std::uint16_t kImmunity = OffsetOf(kFields, "immunity");
inline constexpr std::uint16_t kWeaponFlags = OffsetOf(kFields, "weaponFlags");
inline constexpr std::uint16_t kAttackMagic = OffsetOf(kFields, "attackMagic");
inline constexpr std::uint16_t kHpRegen = OffsetOf(kFields, "hpRegen");
inline constexpr std::uint16_t kMpRegen = OffsetOf(kFields, "mpRegen");
inline constexpr std::uint16_t kMaxHp = OffsetOf(kFields, "maxHp");
inline constexpr std::uint16_t kHp = OffsetOf(kFields, "hp");
inline constexpr std::uint16_t kMaxMp = OffsetOf(kFields, "maxMp");
inline constexpr std::uint16_t kMp = OffsetOf(kFields, "mp");
inline constexpr std::uint16_t kAttack = OffsetOf(kFields, "attack");
inline constexpr std::uint16_t kDefence = OffsetOf(kFields, "defence");
inline constexpr std::uint16_t kExp = OffsetOf(kFields, "exp");
inline constexpr std::uint16_t kNextExp = OffsetOf(kFields, "nextExp");
inline constexpr std::uint16_t kAgility = OffsetOf(kFields, "agility");
inline constexpr std::uint16_t kSpirit = OffsetOf(kFields, "spirit");
inline constexpr std::uint16_t kLuck = OffsetOf(kFields, "luck");
inline constexpr std::uint16_t kWeaponPower = OffsetOf(kFields, "weaponPower");
inline constexpr std::uint16_t kSize = EndOf(kFields);
static_assert(kSize == 26);
}  // namespace charstats

// Equipment, 8 bytes: one item id per body place, 0 = nothing worn; the
// place implies the item's kind (kKinds, by byte).
namespace equipment {
inline constexpr std::array<Field, 8> kFields{{
    U8("head", 0),
    U8("body", 1),
    U8("cape", 2),
    U8("bracer", 3),
    U8("handHeld", 4),
    U8("footwear", 5),
    U8("ornament1", 6),
    U8("ornament2", 7),
}};
inline constexpr std::array<std::uint8_t, 8> kKinds = {1, 2, 4, 5, 7, 3, 6, 6};
inline constexpr std::uint16_t kSize = EndOf(kFields);
}  // namespace equipment

// Character sheet (3, 1, id), 58 bytes: 0 actor header (9 chain count),
// 10 name, 22 walking sprite (8, 1, n), 23 chain (12, 1, n), 24 Equipment,
// 32 CharStats.
namespace charsheet {
inline constexpr std::uint16_t kEquipment = 24, kStats = 32;
inline constexpr auto kFields =
    Join(ActorHeader("charId"),
         std::array{U8("chainCount", 9), Text("name", 10, 12), U8("sprite", 22), U8("chain", 23)},
         Nested("equipment", kEquipment, equipment::kFields),
         Nested("stats", kStats, charstats::kFields));
inline constexpr std::uint16_t kChainCount = OffsetOf(kFields, "chainCount");
inline constexpr std::uint16_t kName = OffsetOf(kFields, "name");
inline constexpr std::uint16_t kNameSize = FieldNamed(kFields, "name").size;
inline constexpr std::uint16_t kSprite = OffsetOf(kFields, "sprite");
inline constexpr std::uint16_t kChain = OffsetOf(kFields, "chain");
inline constexpr std::uint16_t kHeaderSize = kChainCount + 1;  // copied to the party slot
inline constexpr std::uint16_t kSize = EndOf(kFields);
static_assert(kSize == 58 && kName == kHeaderSize && kEquipment == kChain + 1);
}  // namespace charsheet

// Enemy (3, 3, id), 48 bytes. The battle copies bytes 0-45 (kCopied) and
// keeps the picture (46) and magic list (47) ids apart; in memory byte 5
// holds the picture id.
namespace enemyrec {
inline constexpr std::array<Field, 29> kFields{{
    KeyId1("recordClass"),    KeyId2("enemyId"),   U8("magicCount", 2),
    U8("immunity", 3),        U8("hitStatus", 4),  Quiet(U8("byte5", 5)),
    Text("name", 6, 12),      U8("level", 18),     U8("agility", 19),
    U8("spirit", 20),         U8("magicRate", 21), U8("luck", 22),
    U8("hitStatusTurns", 23), U16("maxHp", 24),    U16("hp", 26),
    U16("maxMp", 28),         U16("mp", 30),       U16("attack", 32),
    U16("defence", 34),       U16("money", 36),    U16("exp", 38),
    U8("stealKind", 40),      U8("stealId", 41),   U8("stealCount", 42),
    U8("dropKind", 43),       U8("dropId", 44),    U8("dropOn", 45),
    U8("picture", 46),        U8("magicList", 47),
}};
inline constexpr std::uint16_t kMagicCount = OffsetOf(kFields, "magicCount");
inline constexpr std::uint16_t kImmunity = OffsetOf(kFields, "immunity");
inline constexpr std::uint16_t kHitStatus = OffsetOf(kFields, "hitStatus");
inline constexpr std::uint16_t kPictureId = OffsetOf(kFields, "byte5");
inline constexpr std::uint16_t kLevel = OffsetOf(kFields, "level");
inline constexpr std::uint16_t kAgility = OffsetOf(kFields, "agility");
inline constexpr std::uint16_t kSpirit = OffsetOf(kFields, "spirit");
inline constexpr std::uint16_t kMagicRate = OffsetOf(kFields, "magicRate");
inline constexpr std::uint16_t kLuck = OffsetOf(kFields, "luck");
inline constexpr std::uint16_t kHitStatusTurns = OffsetOf(kFields, "hitStatusTurns");
inline constexpr std::uint16_t kMoney = OffsetOf(kFields, "money");
inline constexpr std::uint16_t kExp = OffsetOf(kFields, "exp");
inline constexpr std::uint16_t kStealKind = OffsetOf(kFields, "stealKind");
inline constexpr std::uint16_t kStealId = OffsetOf(kFields, "stealId");
inline constexpr std::uint16_t kStealCount = OffsetOf(kFields, "stealCount");
inline constexpr std::uint16_t kDropKind = OffsetOf(kFields, "dropKind");
inline constexpr std::uint16_t kDropId = OffsetOf(kFields, "dropId");
inline constexpr std::uint16_t kDropOn = OffsetOf(kFields, "dropOn");
inline constexpr std::uint16_t kPicture = OffsetOf(kFields, "picture");
inline constexpr std::uint16_t kMagicList = OffsetOf(kFields, "magicList");
inline constexpr std::uint16_t kCopied = kPicture;
inline constexpr std::uint16_t kSize = EndOf(kFields);
// The stats block from `level` on sits like a CharStats, so that the same
// clamping serves enemies and members: hp, maxHp, mp, maxMp, attack and
// defence lie at kStats + their CharStats offset.
inline constexpr std::uint16_t kStats = kLevel;
constexpr bool StatsSitLikeCharStats() {
  for (std::string_view name : {"maxHp", "hp", "maxMp", "mp", "attack", "defence"}) {
    if (OffsetOf(kFields, name) != kStats + OffsetOf(charstats::kFields, name)) return false;
  }
  return true;
}
static_assert(StatsSitLikeCharStats());
static_assert(kSize == 48);
}  // namespace enemyrec

}  // namespace rpgfmt
