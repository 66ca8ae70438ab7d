#pragma once
// Records of the actors on the scene that files and saves copy byte for byte:
// a map character's record, an enemy slot's copy of its library record and
// the battle's per-combatant action record.

#include <cstddef>
#include <cstdint>

#include "rpg/format/actor_records.h"

// A map character in one of the 40 slots: 32 bytes, 26 of them used. Bytes
// 0 ... 21 are copied from its library record; a save keeps the whole record.
struct NpcRecord {
  uint8_t picGroup;  // id1 of its sheet; 4 marks a small character
  uint8_t npcNo;     // carried
  uint8_t facing;    // 1 up, 2 right, 3 down, 4 left
  uint8_t step;      // walking step 0 ... 3
  uint8_t mode;      // 1, 2 walking; 3 resting; 4 stepping in place; else standing
  uint8_t x;         // map cell
  uint8_t y;
  uint8_t targetX;   // where a walk ends; 225 and above: no target
  uint8_t targetY;
  uint8_t carried[12];
  uint8_t restTime;   // ticks a walker rests between walks
  uint8_t restCount;  // ticks left of the current rest
  uint8_t picBlock;   // where its sheet lies in the library
  uint16_t picOffset;
  uint8_t spare[6];
};
static_assert(sizeof(NpcRecord) == rpgfmt::npcmem::kSize);
static_assert(offsetof(NpcRecord, x) == rpgfmt::actor::kX);
static_assert(offsetof(NpcRecord, targetY) == rpgfmt::actor::kTargetY);
static_assert(offsetof(NpcRecord, restTime) == rpgfmt::npcmem::kRestTime);
static_assert(offsetof(NpcRecord, restCount) == rpgfmt::npcmem::kRestCount);
static_assert(offsetof(NpcRecord, picBlock) == rpgfmt::npcmem::kPicBlock);
static_assert(offsetof(NpcRecord, picOffset) == rpgfmt::npcmem::kPicOffset);

inline constexpr int kNpcSlots = 40;
// Targets of this value and above mean "no target".
inline constexpr uint8_t kNoTarget = 225;

// The first 46 bytes of an enemy's library record, as the enemy slot keeps
// them (byte 5 holds the picture id in memory).
struct EnemyRecord {
  uint8_t recordClass;
  uint8_t enemyId;  // nonzero while the slot is occupied
  uint8_t magicCount;
  uint8_t immunity;
  uint8_t hitStatus;
  uint8_t pictureId;
  uint8_t unread[12];
  uint8_t level;
  uint8_t agility;
  uint8_t spirit;
  uint8_t magicRate;
  uint8_t luck;
  uint8_t hitStatusTurns;
  uint16_t maxHp;
  uint16_t hp;
  uint16_t maxMp;
  uint16_t mp;
  uint16_t attack;
  uint16_t defence;
  uint16_t money;
  uint16_t exp;
  uint8_t stealKind;
  uint8_t stealId;
  uint8_t stealCount;
  uint8_t dropKind;
  uint8_t dropId;
  uint8_t dropOn;
};
static_assert(sizeof(EnemyRecord) == rpgfmt::enemyrec::kCopied);
static_assert(offsetof(EnemyRecord, pictureId) == rpgfmt::enemyrec::kPictureId);
static_assert(offsetof(EnemyRecord, level) == rpgfmt::enemyrec::kLevel);
static_assert(offsetof(EnemyRecord, maxHp) == rpgfmt::enemyrec::kStats + rpgfmt::charstats::kMaxHp);
static_assert(offsetof(EnemyRecord, exp) == rpgfmt::enemyrec::kExp);
static_assert(offsetof(EnemyRecord, dropOn) == rpgfmt::enemyrec::kDropOn);

// An enemy slot: the record copy, its located picture and its magic list.
struct EnemySlot {
  EnemyRecord record;
  uint8_t picBlock;
  uint16_t picOffset;
  uint8_t magic[255][2];  // (class, id) pairs, record.magicCount of them
};

inline constexpr int kEnemySlots = 3;

// What a combatant does in a round: 54 bytes, one per party slot and one
// shared by the acting enemy.
struct BattleAction {
  uint8_t kind;
  uint8_t target;  // slot 0 ... 2, or 170 for every slot of the side
  uint8_t pose;
  uint8_t spare;
  uint8_t magic[26];  // magic record bytes 0-5, its name, its effect block
  uint8_t item[24];   // item kind, id, power, its name, a spare byte, its effect block
};
static_assert(sizeof(BattleAction) == 54);
