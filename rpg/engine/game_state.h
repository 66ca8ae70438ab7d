#pragma once
// The game's state: one record holding every process-wide variable of the
// role-playing game, named as the game's documents name them, and its one
// instance `game`. Every module reads and writes it directly (the game runs
// on the application thread only); tests inspect and set it.
//
// Blocks the device allocates (flags, variables, the inventory, the party's
// blocks, map characters) are arrays here, so nothing can leak or fail to be
// allocated; the slot rules and run errors that go with them stay in the
// modules that manage them.

#include <cstdint>

#include "rpg/engine/actor_records.h"
#include "rpg/party/party_types.h"

struct Canvas;

// Sizes fixed by the game's data and rules.
inline constexpr int kEventFlagCount = 2400;
inline constexpr int kEventFlagBytes = 302;  // 300 of flags and two spare
inline constexpr int kScriptVarCount = 256;
inline constexpr int kInventorySize = 200;
inline constexpr int kEventTableSize = 255;
inline constexpr int kViewCols = 9;
inline constexpr int kViewRows = 6;
inline constexpr int kMapNameSize = 10;
inline constexpr int kLibTitleSize = 8;
// The visible part of a map character, up to the whole window (144 x 96
// pixels) at two bits a pixel.
inline constexpr int kClipBufSize = (kViewCols * 16 / 8) * 2 * (kViewRows * 16);
inline constexpr int kTextBufSize = 256;
inline constexpr uint8_t kNoSaveSlot = 255;

// Values of runStatus other than run errors.
inline constexpr uint8_t kRunning = 0;
inline constexpr uint8_t kBackToTitle = 253;
inline constexpr uint8_t kQuit = 254;

// Bits of redrawFlags.
inline constexpr uint8_t kRedrawMap = 0x80;
inline constexpr uint8_t kRedrawHero = 0x40;
inline constexpr uint8_t kRedrawNpcs = 0x20;

// Battle state beside the enemy slots and action records.
// Sides of a battle, as indexes of the per-side arrays.
inline constexpr int kPartySide = 0;
inline constexpr int kEnemySide = 1;
inline constexpr int kSides = 2;
static_assert(kEnemySlots == kPartySlots);

// The seven statuses, in this order; status i has the bit 64 >> i.
inline constexpr int kStatusCount = 7;
inline constexpr int kAttackChange = 0, kDefenceChange = 1, kAgilityChange = 2, kPoison = 3,
                     kConfusion = 4, kSeal = 5, kSleep = 6;
inline constexpr uint8_t StatusBit(int status) { return uint8_t(64 >> status); }
inline constexpr uint8_t kStatusOff = 255;

// A combatant's status counters: the turns of its own each status still
// lasts, or kStatusOff.
struct StatusCounters {
  uint8_t turns[kStatusCount] = {kStatusOff, kStatusOff, kStatusOff, kStatusOff,
                                 kStatusOff, kStatusOff, kStatusOff};
  bool On(int status) const { return turns[status] != kStatusOff; }
};

// A combatant's stat bonuses; a lowering is stored in two's complement.
struct StatBonus {
  uint16_t attack;
  uint16_t defence;
  uint8_t agility;
};

// An item a defeated enemy dropped; kind 0 marks an empty entry.
struct LootEntry {
  uint8_t kind;
  uint8_t id;
  uint8_t count;
};
inline constexpr int kLootEntries = 10;
inline constexpr int kBattleEvents = 3;

struct GameState {
  // Entry and data library.
  uint8_t runStatus;
  uint8_t* libImage;  // the whole file, MemAlloc'd with 32 bytes of slack
  uint32_t libSize;   // the file's length: nothing past it is read
  char libTitle[kLibTitleSize + 1];
  Canvas* sceneCanvas;
  Canvas* mapCanvas;
  Canvas* scratchCanvas;
  uint8_t clipBuf[kClipBufSize];

  // The party.
  PartySlot party[kPartySlots];
  uint8_t partyLeader;
  uint8_t memberPicNo[kPartySlots];

  // Map characters: an occupied slot points at its record in npcStore.
  NpcRecord* npcs[kNpcSlots];
  NpcRecord npcStore[kNpcSlots];
  uint8_t npcPicNo[kNpcSlots];

  // Belongings, flags and variables.
  uint32_t money;
  InvEntry inventory[kInventorySize];
  uint8_t invCount;
  uint8_t eventFlags[kEventFlagBytes];
  uint8_t scriptVars[kScriptVarCount];

  // The current script.
  uint8_t scriptBank;
  uint8_t scriptNo;
  const uint8_t* scriptCode;  // the code area inside libImage
  uint16_t scriptLength;
  uint16_t scriptCodeSize;  // bytes of the code area that lie inside the library
  uint8_t eventCount;
  uint16_t eventTable[kEventTableSize];
  uint16_t scriptPc;
  uint8_t scriptRunning;
  uint8_t lastScriptBank;
  uint8_t lastScriptNo;
  uint8_t callDepth;

  // The map and the view.
  uint8_t mapType;
  uint8_t mapIndex;
  uint16_t mapBlock;
  uint16_t mapOffset;
  uint8_t mapWidth;
  uint8_t mapHeight;
  char mapName[kMapNameSize + 1];
  uint16_t tileBlock;
  uint16_t tileOffset;
  uint8_t tileWidth;
  uint8_t tileHeight;
  uint8_t viewX;
  uint8_t viewY;
  uint8_t viewCells[kViewRows][kViewCols][2];  // tile byte, event byte
  uint8_t scrollDir;  // 0 none, 1 left, 2 right, 3 up, 4 down
  uint8_t redrawFlags;
  uint8_t continuousWalk;
  uint8_t showCoords;
  uint8_t menuScript;
  uint16_t timerCount;
  uint8_t timerEvent;

  // Encounters and battles.
  uint8_t encounterOn;
  uint8_t encounterEnemies[8];
  uint8_t encounterParams[3];
  uint8_t evasionOn;
  uint8_t throwHandHeld;
  EnemySlot enemies[kEnemySlots];
  // One per party slot, then the one of the enemy acting; never cleared
  // between battles.
  BattleAction battleActions[kPartySlots + 1];
  // Per side (kPartySide, kEnemySide) and slot: status counters and bonuses.
  StatusCounters statuses[kSides][kPartySlots];
  StatBonus bonuses[kSides][kPartySlots];
  uint8_t randomBattle;    // 0 outside battles and in scripted ones
  uint8_t manualCommands;  // 0 while siege mode skips the command phase
  uint8_t livingMembers;
  uint8_t roundNo;     // rounds completed
  uint8_t roundLimit;  // 0 none
  uint8_t eventRounds[kBattleEvents];
  uint8_t eventNos[kBattleEvents];
  uint8_t fled[kPartySlots];
  uint8_t guarded[kPartySlots];
  uint8_t fallCounted[kPartySlots];  // a member's fall already lowered livingMembers
  uint16_t battleExp;
  uint16_t battleMoney;
  LootEntry battleLoot[kLootEntries];

  // Music, saving and the text buffer.
  uint8_t musicTrack;
  uint8_t musicLoops;  // 255 endless
  uint8_t soundOn;
  uint8_t musicReplayFlag;
  uint8_t saveAllowed;
  uint8_t saveSlot;  // 0 ... 2, or kNoSaveSlot
  char textBuf[kTextBufSize];
};

extern GameState game;

// Puts every field back to zero, keeping the loaded library.
void ResetGameState();
