#pragma once
// Item, magic, magic chain and level-table records of the data library, one
// field table each; the offsets the game reads are taken from the tables.

#include <array>
#include <cstdint>

#include "rpg/format/fields.h"

namespace rpgfmt {

// Item (6, kind, id), 134 bytes: 0 kind, 1 id, 2 unread, 3 wearer mask,
// 4 weaponPower, 5 picture (9, kind, this), 6 name, 18 buy, 20 sell,
// 22 effect block, 30 description, 132 event flag (0 = none).
namespace itemrec {
inline constexpr std::array<Field, 12> kFields{{
    KeyId1("kind"),
    KeyId2("itemId"),
    Quiet(U8("byte2", 2)),
    U8("wearers", 3),
    U8("weaponPower", 4),
    U8("picture", 5),
    Text("name", 6, 12),
    U16("buyPrice", 18),
    U16("sellPrice", 20),
    {"effect", 22, FieldKind::kBytes, 8},
    Text("description", 30, 102),
    U16("flag", 132),
}};
inline constexpr std::uint16_t kKind = OffsetOf(kFields, "kind");
inline constexpr std::uint16_t kWearers = OffsetOf(kFields, "wearers");
inline constexpr std::uint16_t kWeaponPower = OffsetOf(kFields, "weaponPower");
inline constexpr std::uint16_t kPicture = OffsetOf(kFields, "picture");
inline constexpr std::uint16_t kName = OffsetOf(kFields, "name");
inline constexpr std::uint16_t kNameSize = FieldNamed(kFields, "name").size;
inline constexpr std::uint16_t kBuyPrice = OffsetOf(kFields, "buyPrice");
inline constexpr std::uint16_t kSellPrice = OffsetOf(kFields, "sellPrice");
inline constexpr std::uint16_t kEffect = OffsetOf(kFields, "effect");
inline constexpr std::uint16_t kEffectSize = FieldNamed(kFields, "effect").size;
inline constexpr std::uint16_t kDescription = OffsetOf(kFields, "description");
inline constexpr std::uint16_t kDescriptionSize = FieldNamed(kFields, "description").size;
inline constexpr std::uint16_t kFlag = OffsetOf(kFields, "flag");
inline constexpr std::uint16_t kSize = EndOf(kFields);
// Thrown (8) and restorative (9) items play the effect animation
// (5, effect byte 5, effect byte 4).
inline constexpr std::uint8_t kThrownKind = 8, kRestorativeKind = 9;
inline constexpr std::uint16_t kEffectAnimGroup = kEffect + 5, kEffectAnimNo = kEffect + 4;
static_assert(kSize == 134);
}  // namespace itemrec

// Magic (4, class, id): 0 class, 1 id, 2 unread, 3 target, 4 mp cost,
// 5 animation (5, 2, this), 6 name, 18 effect block, 26 description to its
// zero byte.
namespace magicrec {
inline constexpr std::uint16_t kEffect = 18;
inline constexpr std::array<Field, 6> kEffectFields{{
    U16("hp", 0),
    U16("mp", 2),
    U8("defence", 4),
    U8("attack", 5),
    U8("status", 6),
    U8("agility", 7),
}};
inline constexpr auto kFields =
    Join(std::array{KeyId1("class"), KeyId2("magicId"), Quiet(U8("byte2", 2)), U8("target", 3),
                    U8("mpCost", 4), U8("animation", 5), Text("name", 6, 12)},
         Nested("effect", kEffect, kEffectFields),
         std::array{Field{"description", 26, FieldKind::kTailText, 0}});
inline constexpr std::uint16_t kTarget = OffsetOf(kFields, "target");
inline constexpr std::uint16_t kMpCost = OffsetOf(kFields, "mpCost");
inline constexpr std::uint16_t kAnimation = OffsetOf(kFields, "animation");
inline constexpr std::uint16_t kName = OffsetOf(kFields, "name");
inline constexpr std::uint16_t kDescription = OffsetOf(kFields, "description");
inline constexpr std::uint16_t kFixedSize = EndOf(kFields);
inline constexpr std::uint8_t kAnimationGroup = 2;
static_assert(kFixedSize == kDescription && kFixedSize == kEffect + EndOf(kEffectFields));
}  // namespace magicrec

// Magic chain (12, 1, id), also an enemy's magic list: 0-1 key bytes,
// 2 count, from 3 (class, id) pairs in learning order.
namespace magicchain {
inline constexpr std::array<Field, 3> kFields{{KeyId1("id1"), KeyId2("id2"), Counted("count", 2)}};
inline constexpr std::array<Field, 2> kEntry{{U8("class", 0), U8("id", 1)}};
inline constexpr std::uint16_t kCount = OffsetOf(kFields, "count");
inline constexpr std::uint16_t kEntries = EndOf(kFields);
inline constexpr std::uint16_t kEntrySize = EndOf(kEntry);
inline constexpr std::uint16_t kEntryClass = OffsetOf(kEntry, "class");
inline constexpr std::uint16_t kEntryId = OffsetOf(kEntry, "id");
// Chains stay within 50 entries; a member's magic list in memory holds 52
// (104 bytes), of which a save keeps 50.
inline constexpr std::uint16_t kMaxEntries = 50;
inline constexpr std::uint16_t kListCapacity = 52;
}  // namespace magicchain

// Level table (12, 2, character id): 0-1 key bytes, 2 last level, 3 unread,
// from 4 one 20-byte row per level, row 0 for level 1.
namespace leveltable {
inline constexpr std::array<Field, 4> kFields{
    {KeyId1("id1"), KeyId2("id2"), Counted("lastLevel", 2), Quiet(U8("byte3", 3))}};
inline constexpr std::array<Field, 12> kRow{{
    U16("maxHp", 0),
    U16("hp", 2),
    U16("maxMp", 4),
    U16("mp", 6),
    U16("attack", 8),
    U16("defence", 10),
    Quiet(U16("unused", 12)),
    U16("nextExp", 14),
    U8("agility", 16),
    U8("spirit", 17),
    U8("luck", 18),
    U8("chainCount", 19),
}};
inline constexpr std::uint16_t kLastLevel = OffsetOf(kFields, "lastLevel");
inline constexpr std::uint16_t kRows = EndOf(kFields);
inline constexpr std::uint16_t kRowSize = EndOf(kRow);
inline constexpr std::uint16_t kRowChainCount = OffsetOf(kRow, "chainCount");
static_assert(kRows == 4 && kRowSize == 20);
}  // namespace leveltable

}  // namespace rpgfmt
