// Saving into a slot and loading it back, the member file's merge, refused
// files and members who leave and come back, on the virtual clock.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/actor_load.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/load_game.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/parking.h"
#include "rpg/engine/save_game.h"
#include "rpg/engine/save_slots.h"
#include "rpg/engine/script.h"
#include "rpg/format/save_layout.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"
#include "tests/support/scratch.h"

namespace {

namespace sv = rpgfmt::save;
using rpgtest::GameRun;
using testsupport::ReadFile;
using testsupport::WriteFile;

const std::string kMain0 = "../Save/saves0.sav";
const std::string kMembers0 = "../Save/saves1.sav";
const std::string kMembers1 = "../Save/saves3.sav";
const std::string kParked2 = "../Save/saves\x96.savt";
constexpr int kMessageMs = 1100;  // the 100 ticks of a timed message, and some

rpgtest::Bytes SavesLibrary() {
  return rpgtest::WithScripts(rpgtest::TestLibrary("saves"), {{1, 1, "End\n"}, {1, 2, "End\n"}});
}

// The hero and the companion on the field at (5, 5), a villager at (7, 7).
void StartPlaying() {
  std::filesystem::create_directory("../Save");
  PlaceActor(0, 1, 1, 4, 3);
  PlaceActor(0, 1, 2, 4, 3);
  ChangeMap(1, 1, 5, 5);
  PlaceActor(3, 2, 1, 7, 7);
  game.scriptBank = game.lastScriptBank = 1;
  game.scriptNo = game.lastScriptNo = 2;
  LoadScript();
}

// A field of the state record, by name and place.
struct Field {
  const char* name;
  std::size_t offset;
  std::size_t size;
};
#define FIELD(f) Field{#f, offsetof(GameState, f), sizeof(GameState::f)}

// The fields a save keeps (the scene, the script's tables and the map's
// location are re-derived by the load and compared as well).
const std::vector<Field> kKept = {
    FIELD(party), FIELD(partyLeader), FIELD(memberPicNo), FIELD(npcPicNo), FIELD(money),
    FIELD(inventory), FIELD(invCount), FIELD(scriptBank), FIELD(scriptNo), FIELD(scriptLength),
    FIELD(eventCount), FIELD(eventTable), FIELD(scriptRunning), FIELD(lastScriptBank),
    FIELD(lastScriptNo), FIELD(mapType), FIELD(mapIndex), FIELD(mapBlock), FIELD(mapOffset),
    FIELD(mapWidth), FIELD(mapHeight), FIELD(mapName), FIELD(tileBlock), FIELD(tileWidth),
    FIELD(tileHeight), FIELD(viewX), FIELD(viewY), FIELD(viewCells), FIELD(showCoords),
    FIELD(timerCount), FIELD(timerEvent), FIELD(encounterOn), FIELD(encounterEnemies),
    FIELD(encounterParams), FIELD(evasionOn), FIELD(throwHandHeld), FIELD(musicTrack),
    FIELD(musicLoops), FIELD(soundOn), FIELD(saveAllowed), FIELD(saveSlot),
    Field{"eventFlags", offsetof(GameState, eventFlags), sv::kSavedFlagBytes},
    Field{"scriptVars 0-254", offsetof(GameState, scriptVars), sv::kSavedVars},
};

using Snapshot = std::vector<uint8_t>;
Snapshot Take() {
  Snapshot s(sizeof game);
  std::memcpy(s.data(), &game, sizeof game);
  return s;
}

// The kept fields that differ, and the map characters' records.
std::vector<std::string> Differences(const Snapshot& expected) {
  const Snapshot now = Take();
  std::vector<std::string> out;
  for (const Field& f : kKept) {
    if (std::memcmp(expected.data() + f.offset, now.data() + f.offset, f.size) != 0) out.push_back(f.name);
  }
  const auto* before = reinterpret_cast<const GameState*>(expected.data());
  for (int i = 0; i < kNpcSlots; ++i) {
    if ((before->npcs[i] == nullptr) != (game.npcs[i] == nullptr) ||
        (game.npcs[i] && std::memcmp(&before->npcStore[i], &game.npcStore[i], sizeof(NpcRecord)) != 0)) {
      out.push_back("npc " + std::to_string(i));
    }
  }
  return out;
}

// Every kept field away from what it held.
void Scramble() {
  for (uint8_t slot = 0; slot < kPartySlots; ++slot) game.party[slot] = PartySlot{};
  for (int i = 0; i < kNpcSlots; ++i) {
    if (game.npcs[i]) RemoveNpc(uint8_t(i));
  }
  std::memset(game.inventory, 0, sizeof game.inventory);
  std::memset(game.scriptVars, 0x5A, sizeof game.scriptVars);
  std::memset(game.eventFlags, 0xA5, sizeof game.eventFlags);
  std::memset(game.npcPicNo, 9, sizeof game.npcPicNo);
  game.money = 7, game.invCount = 0, game.partyLeader = 0, game.viewX = 0, game.viewY = 0;
  game.timerCount = 0, game.musicTrack = 0, game.encounterOn = 0, game.evasionOn = 0;
  game.continuousWalk = 1, game.menuScript = 3, game.scrollDir = 2;
  ChangeMap(1, 2, 0, 0);
}

// Distinct values in the fields the library does not constrain.
void SetDistinctValues() {
  game.money = 123456;  // beyond the shop's 99999: kept as it is
  for (int i = 0; i < 255; ++i) game.scriptVars[i] = uint8_t(i + 1);
  game.eventFlags[0] = 0x01, game.eventFlags[299] = 0x80, game.eventFlags[150] = 0x3C;
  for (int i = 0; i < 5; ++i) game.inventory[i] = InvEntry{14, 1, uint8_t(10 + i)};
  game.invCount = 5;
  game.partyLeader = 1;
  game.timerCount = 0x1234, game.timerEvent = 7, game.showCoords = 1, game.evasionOn = 1;
  game.throwHandHeld = 1, game.musicTrack = 3, game.musicLoops = 255, game.soundOn = 1;
  game.encounterOn = 1, game.encounterParams[0] = 4, game.encounterParams[2] = 6;
  game.party[0].stats.level = 7, game.party[0].stats.exp = 999;
  game.party[1].equipment = Equipment{};
  game.party[1].magicCount = 0;
}

TEST(SaveLoadTest, ALoadRestoresEveryKeptFieldOfTheSavedGame) {
  Snapshot saved;
  std::vector<std::string> differences;
  uint8_t var255 = 0, walk = 0, menu = 9, scroll = 9;
  bool loaded = false;
  GameRun run([&] {
    StartPlaying();
    SetDistinctValues();
    game.scriptVars[255] = 200;
    ASSERT_TRUE(SaveToSlot(0));
    saved = Take();
    Scramble();
    loaded = LoadGame();
    differences = Differences(saved);
    var255 = game.scriptVars[255], walk = game.continuousWalk, menu = game.menuScript;
    scroll = game.scrollDir;
  }, SavesLibrary());
  run.Key(kKeyEnter);
  ASSERT_TRUE(run.Finished());
  EXPECT_TRUE(loaded);
  EXPECT_EQ(differences, std::vector<std::string>{});
  // Not kept: variable 255 and the walking and menu switches keep their
  // values; the view is not scrolling.
  EXPECT_EQ(var255, 0x5A);
  EXPECT_EQ(walk, 1);
  EXPECT_EQ(menu, 3);
  EXPECT_EQ(scroll, 0);
}

TEST(SaveLoadTest, SavingShowsTheStripAndAnOccupiedSlotAsksBeforeItIsOverwritten) {
  std::string first, afterNo;
  bool savedAgain = true;
  GameRun run([&] {
    StartPlaying();
    ASSERT_TRUE(SaveToSlot(0));
    first = ReadFile(kMain0) + ReadFile(kMembers0);
    game.money = 55;
    savedAgain = SaveToSlot(0);  // answered "否"
    afterNo = ReadFile(kMain0) + ReadFile(kMembers0);
    savedAgain = SaveToSlot(0);  // answered "是"
    WaitKeyDown();
  }, SavesLibrary());
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/save_question"));
  run.Keys({kKeyRight, kKeyEnter});
  EXPECT_FALSE(savedAgain);
  EXPECT_EQ(afterNo, first);
  run.Key(kKeyEnter);
  EXPECT_TRUE(savedAgain);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/save_strip"));
  run.Key(kKeyEnter);
}

}  // namespace
