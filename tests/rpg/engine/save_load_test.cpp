// Saving into a slot and loading it back, the member file's merge, refused
// files and members who leave and come back, on the virtual clock.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
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
#include "rpg/engine/sound_hooks.h"
#include "rpg/engine/title.h"
#include "rpg/format/save_layout.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/saves_game.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"
#include "tests/support/scratch.h"

namespace {

namespace sv = rpgfmt::save;
using rpgtest::Bytes;
using rpgtest::GameRun;
using rpgtest::SavesLibrary;
using rpgtest::StartPlaying;
using testsupport::ReadFile;
using testsupport::WriteFile;

const std::string kMain0 = "../Save/saves0.sav";
const std::string kMembers0 = "../Save/saves1.sav";
const std::string kMembers1 = "../Save/saves3.sav";
const std::string kParked2 = "../Save/saves\x96.savt";
constexpr int kMessageMs = 1100;  // the 100 ticks of a timed message, and some

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
  game.scriptRunning = 2;
  game.party[0].stats.level = 7, game.party[0].stats.exp = 999;
  game.party[1].equipment = Equipment{};
  game.party[1].magicCount = 0;
}

// `base` packed again with every resource at another block or offset: a
// full script block ahead of all others and a small resource ahead of each
// type's own.
Bytes WithBlocksMoved(const Bytes& base) {
  std::vector<rpgfmt::LibProblem> problems;
  const auto view = rpgfmt::ReadLibrary(base, problems);
  std::vector<rpgtest::Resource> pads = {{{1, 0, 1}, Bytes(rpgfmt::kLibMaxResourceSize, 0)}};
  for (const rpgfmt::LibEntry& e : view->entries) {
    if (pads.back().key.type != e.key.type) pads.push_back({{e.key.type, 0, 2}, Bytes(7, 0)});
  }
  return rpgtest::WithResources(base, pads);
}

// Calls f(block, offset) for each library location of the state: the map,
// the tiles, the map characters' and the members' sheets.
template <class F>
void ForEachLocation(GameState& s, F f) {
  f(s.mapBlock, s.mapOffset);
  f(s.tileBlock, s.tileOffset);
  for (NpcRecord& n : s.npcStore) f(n.picBlock, n.picOffset);
  for (PartySlot& m : s.party) f(m.spriteBlock, m.spriteOffset);
}

// The keys of the resources the state's locations name in `image`.
std::vector<std::optional<rpgfmt::ResKey>> LocatedKeys(GameState& s, const Bytes& image) {
  std::vector<rpgfmt::LibProblem> problems;
  const auto view = rpgfmt::ReadLibrary(image, problems);
  std::vector<std::optional<rpgfmt::ResKey>> keys;
  ForEachLocation(s, [&](unsigned block, unsigned offset) {
    keys.emplace_back();
    for (const rpgfmt::LibEntry& e : view->entries) {
      if (e.block == block && e.offset == offset) keys.back() = e.key;
    }
  });
  return keys;
}

// `to` takes the library locations of `from`.
void TakeLocations(GameState& to, GameState& from) {
  std::vector<std::pair<unsigned, unsigned>> at;
  ForEachLocation(from, [&](unsigned block, unsigned offset) { at.push_back({block, offset}); });
  std::size_t i = 0;
  ForEachLocation(to, [&](auto& block, auto& offset) { block = at[i].first, offset = at[i++].second; });
}

GameRun Playing(std::function<void()> body, Bytes library = SavesLibrary()) {
  return GameRun([body] { StartPlaying(); body(); }, std::move(library));
}

// Script (0, 5) after a load: track 3 only when it sees the saved variable 7.
const char kAfterLoad[] = "IfVarEq 7, 8, saved\nEnd\nsaved:\nMusic 3, 0\nEnd\n";

TEST(SaveLoadTest, ALoadRestoresEveryKeptFieldOfTheSavedGame) {
  // Loaded with the library it was saved with, then with that library rebuilt, its blocks moved.
  for (bool moved : {false, true}) {
    SCOPED_TRACE(moved ? "blocks moved" : "the same library");
    Bytes library = rpgtest::WithScripts(SavesLibrary(), {{0, 5, kAfterLoad}});
    Bytes loadLibrary = moved ? WithBlocksMoved(library) : library;
    GameRun run = Playing([&] {
      SetDistinctValues();
      game.scriptVars[255] = 200;
      ASSERT_TRUE(SaveToSlot(0));
      Snapshot saved = Take();
      game.libImage = loadLibrary.data(), game.libSize = uint32_t(loadLibrary.size());
      Scramble();
      EXPECT_TRUE(LoadGame());
      // Music script (0, 5) starts plays on after the load.
      const SoundHookCall music = SoundHookCalls().back();
      EXPECT_TRUE(music.hook == SoundHook::kPlayMusic && music.track == 3);
      GameState& was = *reinterpret_cast<GameState*>(saved.data());
      if (moved) {
        EXPECT_TRUE(LocatedKeys(was, library) == LocatedKeys(game, loadLibrary) &&
                    was.mapBlock != game.mapBlock)
            << "the sheets found again where the library holds them now";
        TakeLocations(was, game);
      }
      EXPECT_EQ(Differences(saved), std::vector<std::string>{});
      // Not kept: variable 255 and the walking and menu switches keep their
      // values; the view is not scrolling.
      EXPECT_EQ(game.scriptVars[255], 0x5A);
      EXPECT_EQ(game.continuousWalk, 1);
      EXPECT_EQ(game.menuScript, 3);
      EXPECT_EQ(game.scrollDir, 0);
    }, library);
    run.Key(kKeyEnter);
    ASSERT_TRUE(run.Finished());
  }
}

TEST(SaveLoadTest, SavingShowsTheStripAndAnOccupiedSlotAsksBeforeItIsOverwritten) {
  std::string first, afterNo;
  bool savedAgain = true;
  GameRun run = Playing([&] {
    ASSERT_TRUE(SaveToSlot(0));
    first = ReadFile(kMain0) + ReadFile(kMembers0);
    game.money = 55;
    savedAgain = SaveToSlot(0);  // answered "否"
    afterNo = ReadFile(kMain0) + ReadFile(kMembers0);
    savedAgain = SaveToSlot(0);  // answered "是"
    WaitKeyDown();
  });
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/save_question"));
  run.Keys({kKeyRight, kKeyEnter});
  EXPECT_FALSE(savedAgain);
  EXPECT_EQ(afterNo, first);
  run.Key(kKeyEnter);
  EXPECT_TRUE(savedAgain);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/save_strip"));
  run.Key(kKeyEnter);
}

// A file's bytes cut or padded to `size` bytes, with `at` set to `value`.
struct Damage {
  const char* name;
  bool memberFile;
  std::size_t at;
  uint8_t value;
  std::size_t size = SIZE_MAX;
};

TEST(SaveLoadTest, ADamagedSaveOrOneNamingWhatTheLibraryLacksIsRefusedWithNothingChanged) {
  const std::vector<Damage> cases = {
      {"main file one byte short", false, 0, 0, sv::kMainFileSize - 1},
      {"main file one byte long", false, sv::kMainFileSize, 0, sv::kMainFileSize + 1},
      {"a map the library lacks", false, 98, 9},
      {"a script the library lacks", false, 19, 9},
      {"a view past the map", false, 40, 15},
      {"an item the library lacks", false, sv::kInventoryOffset + 1, 77},
      {"an enemy the library lacks", false, 32, 77},
      {"a party member's record missing", true, 0, 0, sv::kMemberRecordSize},
  };
  std::vector<std::string> problems;
  GameRun run = Playing([&] {
    game.inventory[0] = InvEntry{14, 1, 3};
    game.invCount = 1;
    ASSERT_TRUE(SaveToSlot(0));
    const std::string main = ReadFile(kMain0), members = ReadFile(kMembers0);
    Scramble();
    StopTimer(kGameTimer);  // the messages count only their own 10 ms ticks
    for (const Damage& d : cases) {
      std::string bytes = d.memberFile ? members : main;
      if (d.size != SIZE_MAX) bytes.resize(d.size, '\0');
      if (d.at < bytes.size()) bytes[d.at] = char(d.value);
      WriteFile(d.memberFile ? kMembers0 : kMain0, bytes);
      WriteFile(d.memberFile ? kMain0 : kMembers0, d.memberFile ? main : members);
      const Snapshot before = Take();
      if (ReadSave(0)) problems.push_back(std::string(d.name) + ": loaded");
      if (Take() != before) problems.push_back(std::string(d.name) + ": the state changed");
    }
  });
  for (const Damage& d : cases) {
    EXPECT_FALSE(run.Finished()) << d.name << ": no message";
    run.Advance(1000);
  }
  ASSERT_TRUE(run.Finished());
  EXPECT_EQ(problems, std::vector<std::string>{});
}

// Character 2's level in a member file's bytes (0 when the record is absent).
int LevelOf2(const std::string& members) {
  const std::size_t at = sv::kMemberRecordSize + 38;  // the stats block's first byte
  return members.size() >= 2 * sv::kMemberRecordSize && members[sv::kMemberRecordSize + 1] == 2
             ? uint8_t(members[at])
             : 0;
}

TEST(SaveLoadTest, TheMemberFileTakesThePartyThenParkedFilesThenTheCurrentSlot) {
  GameRun run = Playing([&] {
    game.party[1].stats.level = 4;
    ASSERT_TRUE(SaveToSlot(0));  // character 2 at level 4 in slot 0
    game.party[1].stats.level = 9;
    ParkMember(2);  // parked at level 9: it beats slot 0's record
    ASSERT_TRUE(SaveToSlot(1));
    EXPECT_EQ(LevelOf2(ReadFile(kMembers1)), 9);
    DeleteParkedFiles();
    // Saving into another slot carries the current slot's records over...
    ASSERT_TRUE(SaveToSlot(2));
    EXPECT_EQ(LevelOf2(ReadFile("../Save/saves5.sav")), 9);
    // ...and re-saving into the current one keeps them.
    ASSERT_TRUE(SaveToSlot(2));
    EXPECT_EQ(LevelOf2(ReadFile("../Save/saves5.sav")), 9);
    // With no current slot only the party is written, gaps as zeros.
    game.saveSlot = kNoSaveSlot;
    game.party[0] = PartySlot{};
    PlaceActor(0, 1, 2, 4, 3);  // fresh: no parked file, no current slot
    ASSERT_TRUE(SaveToSlot(1));
    const std::string leaderOnly = ReadFile(kMembers1);
    EXPECT_EQ(leaderOnly.size(), 2 * sv::kMemberRecordSize);
    EXPECT_EQ(leaderOnly.find_first_not_of('\0'), sv::kMemberRecordSize);
  });
  run.Keys({kKeyEnter, kKeyEnter});  // the overwrite questions
  ASSERT_TRUE(run.Finished());
}

TEST(SaveLoadTest, AFailedSaveSaysSoAndLeavesTheSlotAsItWas) {
  GameRun run = Playing([&] {
    game.saveSlot = kNoSaveSlot;
    std::filesystem::remove_all("../Save");
    EXPECT_FALSE(SaveToSlot(0)) << "to a missing folder";
    EXPECT_EQ(game.saveSlot, kNoSaveSlot);
    std::filesystem::create_directory("../Save");
    ASSERT_TRUE(SaveToSlot(0));
    const std::string before = ReadFile(kMain0) + ReadFile(kMembers0);
    game.party[1].header.id = 26;  // beyond what a member file holds
    EXPECT_FALSE(SaveToSlot(0));
    EXPECT_EQ(ReadFile(kMain0) + ReadFile(kMembers0), before);
  });
  EXPECT_FALSE(run.Finished()) << "no message";
  run.Advance(kMessageMs);
  run.Key(kKeyEnter);  // overwrite
  EXPECT_FALSE(run.Finished()) << "no message";
  run.Advance(kMessageMs);
  ASSERT_TRUE(run.Finished());
}

TEST(SaveLoadTest, AMemberWhoLeftComesBackFromTheParkedFileTheSlotOrTheLibrary) {
  GameRun run = Playing([&] {
    const int libraryLevel = game.party[1].stats.level;
    game.party[1].stats.level = 9;
    ParkMember(2);
    EXPECT_EQ(MemberSlot(2), 255) << "gone after parking";
    PlaceActor(0, 1, 2, 4, 3);
    EXPECT_EQ(game.party[MemberSlot(2)].stats.level, 9);
    // From the current slot's member file when no parked file is left.
    ASSERT_TRUE(SaveToSlot(0));
    RemoveMember(2);
    DeleteParkedFiles();
    PlaceActor(0, 1, 2, 4, 3);
    EXPECT_EQ(game.party[MemberSlot(2)].stats.level, 9);
    // A zero record in it counts as absent: fresh from the library.
    std::string members = ReadFile(kMembers0);
    std::fill(members.begin() + sv::kMemberRecordSize, members.end(), '\0');
    WriteFile(kMembers0, members);
    RemoveMember(2);
    PlaceActor(0, 1, 2, 4, 3);
    EXPECT_EQ(game.party[MemberSlot(2)].stats.level, libraryLevel);
    ParkMember(7);
    EXPECT_EQ(game.runStatus, 7) << "not in the party";
    game.runStatus = 0;
    std::filesystem::remove_all("../Save");
    ParkMember(2);
    EXPECT_EQ(game.runStatus, 16) << "unwritable";
    EXPECT_NE(MemberSlot(2), 255) << "still there when it failed";
    game.runStatus = 0;
  });
  ASSERT_TRUE(run.Finished());
}

TEST(SaveLoadTest, ScriptsParkAMemberWithLeaveAndOpenTheSaveScreenWithSaveGame) {
  int result = -1;
  GameRun run = Playing([&] {
    result = rpgtest::RunFromBody(1, 3);
  });
  run.Key(kKeyDown);
  run.Key(kKeyEnter);  // slot 1
  ASSERT_TRUE(run.Finished());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(MemberSlot(2), 255);
  EXPECT_TRUE(std::filesystem::exists(kParked2));
  EXPECT_TRUE(std::filesystem::exists("../Save/saves2.sav"));
  EXPECT_EQ(game.saveSlot, 1);
}

TEST(SaveLoadTest, ALoadOrANewGameDeletesTheParkedFilesOfTheGameLeftBehind) {
  struct Case {
    const char* name;
    std::function<void()> leave;  // ends with Enter on its screen
  };
  const std::vector<Case> cases = {
      {"load", [] { LoadGame(); }},
      {"new game", [] { TitleLoop(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameRun run = Playing([&] {
      ASSERT_TRUE(SaveToSlot(0));
      ParkMember(2);
      EXPECT_TRUE(std::filesystem::exists(kParked2));
      c.leave();
      EXPECT_FALSE(std::filesystem::exists(kParked2));
    });
    run.Key(kKeyEnter);
    ASSERT_TRUE(run.Finished());
  }
}

}  // namespace
