#pragma once
// The party's records as the game keeps them in memory. The packed ones have
// the byte layout of the character sheet and of the save files, which copy
// them with memcpy; on little-endian machines natural alignment gives exactly
// those layouts, and the asserts below hold the offsets that matter.

#include <cstddef>
#include <cstdint>

#include "rpg/format/actor_records.h"
#include "rpg/format/item_records.h"

// A member's attributes: the same 26 bytes in the character sheet, in memory
// and in a saved game.
struct CharStats {
  uint8_t level;        // 243 once the level table is exhausted; 240 and above show "MAX"
  uint8_t immunity;     // status bits the member cannot receive
  uint8_t weaponFlags;  // statuses a normal attack inflicts; bit 4 strikes every enemy
  uint8_t attackMagic;  // class-1 magic cast instead of the normal attack, 0 none
  uint8_t hpRegen;
  uint8_t mpRegen;
  uint16_t maxHp;
  uint16_t hp;
  uint16_t maxMp;
  uint16_t mp;
  uint16_t attack;
  uint16_t defence;
  uint16_t exp;
  uint16_t nextExp;
  uint8_t agility;
  uint8_t spirit;
  uint8_t luck;
  uint8_t weaponPower;
};
static_assert(sizeof(CharStats) == rpgfmt::charstats::kSize);
static_assert(offsetof(CharStats, maxHp) == rpgfmt::charstats::kMaxHp);
static_assert(offsetof(CharStats, hp) == rpgfmt::charstats::kHp);
static_assert(offsetof(CharStats, maxMp) == rpgfmt::charstats::kMaxMp);
static_assert(offsetof(CharStats, mp) == rpgfmt::charstats::kMp);
static_assert(offsetof(CharStats, attack) == rpgfmt::charstats::kAttack);
static_assert(offsetof(CharStats, defence) == rpgfmt::charstats::kDefence);
static_assert(offsetof(CharStats, exp) == rpgfmt::charstats::kExp);
static_assert(offsetof(CharStats, nextExp) == rpgfmt::charstats::kNextExp);
static_assert(offsetof(CharStats, agility) == rpgfmt::charstats::kAgility);
static_assert(offsetof(CharStats, weaponPower) == rpgfmt::charstats::kWeaponPower);

// One worn item id per body place, 0 for nothing: head, body, cape, bracer,
// hand-held, footwear and two ornaments, in that byte order.
struct Equipment {
  uint8_t place[8];
};
static_assert(sizeof(Equipment) == rpgfmt::equipment::kSize);

struct InvEntry {
  uint8_t kind;
  uint8_t id;
  uint8_t count;  // 1 ... 99 while the entry is in use
};
static_assert(sizeof(InvEntry) == 3);

struct MagicEntry {
  uint8_t magicClass;
  uint8_t id;
};
static_assert(sizeof(MagicEntry) == 2);

// The first ten bytes of a character sheet, laid out like those of a map
// character's record.
struct ActorHeader {
  uint8_t picGroup;  // carried
  uint8_t id;        // character id; 0 marks a free party slot
  uint8_t facing;    // 1 up, 2 right, 3 down, 4 left
  uint8_t step;      // walking step 0 ... 3
  uint8_t mode;      // carried
  uint8_t viewCol;   // the sprite's cell inside the view window
  uint8_t viewRow;
  uint8_t targetX;   // carried
  uint8_t targetY;   // carried
  uint8_t chainCount;  // magic-chain entries learned
};
static_assert(sizeof(ActorHeader) == rpgfmt::charsheet::kHeaderSize);

// A row of a level table (20 bytes, one per level), and the same layout as
// the snapshot a level-up takes of a member before it rises.
struct LevelRow {
  uint16_t maxHp;
  uint16_t hp;
  uint16_t maxMp;
  uint16_t mp;
  uint16_t attack;
  uint16_t defence;
  uint16_t exp;      // unused in a table row; the snapshot's exp
  uint16_t nextExp;  // experience needed to leave the level
  uint8_t agility;
  uint8_t spirit;
  uint8_t luck;
  uint8_t chainCount;  // magic-chain entries known at the level
};
static_assert(sizeof(LevelRow) == rpgfmt::leveltable::kRowSize);
static_assert(offsetof(LevelRow, chainCount) == rpgfmt::leveltable::kRowChainCount);

inline constexpr int kPartySlots = 3;
inline constexpr std::size_t kMemberNameSize = 14;
// Room for 52 magics; a save keeps the first 50.
inline constexpr std::size_t kMagicListSize = rpgfmt::magicchain::kListCapacity;
inline constexpr std::size_t kMagicListSaved = rpgfmt::magicchain::kMaxEntries;

// A party slot. The blocks the slot points at on the device (name, stats,
// equipment, magic list) are held in place, so joining cannot run out of
// memory; every slot uses the one shared inventory.
struct PartySlot {
  ActorHeader header;
  uint8_t spriteBlock;
  uint16_t spriteOffset;
  uint8_t chainId;     // id2 of the member's magic chain, 0 none
  uint8_t magicCount;  // valid entries of `magic`
  char name[kMemberNameSize];
  CharStats stats;
  Equipment equipment;
  MagicEntry magic[kMagicListSize];
};
