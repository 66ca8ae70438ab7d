// Script commands that change the game's state without asking the player:
// flags, variables, money, items, the party's attributes, the switches, the
// music and the map characters. Each case runs a small assembled script.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/party/event_flags.h"
#include "rpg/party/inventory.h"
#include "tests/rpg/support/script_library.h"

namespace {

struct Case {
  const char* name;
  std::function<void()> setup;
  std::string source;
  std::function<void()> check;
};

class CommandsStateTest : public rpgtest::ScriptTest {
 protected:
  // Runs every case on a fresh state; a script ends normally unless its
  // check says otherwise (runStatus is checked by the case then).
  void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      Install(c.source);
      if (c.setup) c.setup();
      rpgtest::RunFromBody();
      c.check();
    }
  }
};

void Money(uint32_t held) { game.money = held; }
void Carry(uint8_t count) { InvAdd({14, 1, count}); }
uint8_t Carried() {
  const uint8_t at = InvFind(14, 1);
  return at == kNotCarried ? 0 : game.inventory[at].count;
}
// Variable 1 records which way a script went: 1 on, 2 the first address,
// 3 the second.
constexpr const char* kBranches = "SetVar 1, 1\nEnd\nfirst: SetVar 1, 2\nEnd\nsecond: SetVar 1, 3\nEnd\n";
std::string Branch(const std::string& command) { return command + "\n" + kBranches; }
void Went(int way) { EXPECT_EQ(game.scriptVars[1], way); EXPECT_EQ(game.runStatus, 0); }

TEST_F(CommandsStateTest, MoneyStaysBetweenZeroAndTheCap) {
  RunCases({
      {"cap - 9 + 10", [] { Money(99990); }, "AddMoney 10\n", [] { EXPECT_EQ(game.money, 99999u); }},
      {"add the largest amount", [] { Money(99990); }, "AddMoney 0xFFFFFFFF\n",
       [] { EXPECT_EQ(game.money, 99999u); }},
      {"500 from 300", [] { Money(300); }, "SubMoney 500\n", [] { EXPECT_EQ(game.money, 0u); }},
      {"some", [] { Money(300); }, "SubMoney 299\n", [] { EXPECT_EQ(game.money, 1u); }},
      {"set past the cap", nullptr, "SetMoney 0xFFFFFFFF\n", [] { EXPECT_EQ(game.money, 99999u); }},
      {"set", [] { Money(5); }, "SetMoney 42\n", [] { EXPECT_EQ(game.money, 42u); }},
      {"poor", [] { Money(10); }, Branch("IfPoor 11, first"), [] { Went(2); }},
      {"just enough", [] { Money(10); }, Branch("IfPoor 10, first"), [] { Went(1); }},
  });
}

TEST_F(CommandsStateTest, FlagsReachTwentyThreeNinetyNineAndNoFurther) {
  RunCases({
      {"2399", nullptr, Branch("SetFlag 2399\nIfFlag 2399, first"),
       [] { Went(2); EXPECT_EQ(game.eventFlags[299], 0x80); }},
      {"2400", nullptr, Branch("SetFlag 2400\nIfFlag 2400, first"),
       [] { Went(1); EXPECT_EQ(game.eventFlags[300], 0); }},
      {"65535", nullptr, Branch("SetFlag 65535\nIfFlag 65535, first"), [] { Went(1); }},
      {"cleared alone", [] { SetEventFlag(7); SetEventFlag(6); }, Branch("ClearFlag 7\nIfFlag 7, first"),
       [] { Went(1); EXPECT_EQ(game.eventFlags[0], 0x40); }},
  });
}

TEST_F(CommandsStateTest, VariablesWrapAndCompare) {
  RunCases({
      {"add wraps", nullptr, "SetVar 5, 250\nAddVar 5, 10\n", [] { EXPECT_EQ(game.scriptVars[5], 4); }},
      {"sub wraps", nullptr, "SubVar 5, 1\n", [] { EXPECT_EQ(game.scriptVars[5], 255); }},
      {"copy", nullptr, "SetVar 5, 9\nCopyVar 5, 255\n", [] { EXPECT_EQ(game.scriptVars[255], 9); }},
      {"equal", nullptr, Branch("SetVar 5, 9\nIfVarEq 5, 9, first"), [] { Went(2); }},
      {"not equal", nullptr, Branch("IfVarEq 5, 9, first"), [] { Went(1); }},
      {"less", nullptr, Branch("SetVar 5, 3\nIfVar 5, 4, first, second"), [] { Went(2); }},
      {"greater", nullptr, Branch("SetVar 5, 5\nIfVar 5, 4, first, second"), [] { Went(3); }},
      {"same", nullptr, Branch("SetVar 5, 4\nIfVar 5, 4, first, second"), [] { Went(1); }},
  });
}

TEST_F(CommandsStateTest, ItemCommandsBranchOnWhatIsCarried) {
  RunCases({
      {"IfCount not carried", nullptr, Branch("IfCount 14, 1, 2, first, second"), [] { Went(1); }},
      {"IfCount fewer", [] { Carry(1); }, Branch("IfCount 14, 1, 2, first, second"), [] { Went(1); }},
      {"IfCount equal", [] { Carry(2); }, Branch("IfCount 14, 1, 2, first, second"), [] { Went(2); }},
      {"IfCount more", [] { Carry(3); }, Branch("IfCount 14, 1, 2, first, second"), [] { Went(3); }},
      {"Take too many", [] { Carry(3); }, Branch("Take 14, 1, 4, first"),
       [] { Went(2); EXPECT_EQ(Carried(), 3); }},
      {"Take none carried", nullptr, Branch("Take 14, 1, 1, first"), [] { Went(2); }},
      {"TakeOne", [] { Carry(3); }, Branch("TakeOne 14, 1, first"),
       [] { Went(1); EXPECT_EQ(Carried(), 2); }},
      {"TakeOne none", nullptr, Branch("TakeOne 14, 1, first"), [] { Went(2); }},
      {"TakeAll", [] { Carry(3); }, Branch("TakeAll 14, 1, first"),
       [] { Went(1); EXPECT_EQ(Carried(), 0); EXPECT_EQ(game.invCount, 0); }},
      {"TakeAll none", nullptr, Branch("TakeAll 14, 1, first"), [] { Went(2); }},
  });
}

TEST_F(CommandsStateTest, ChanceOfNoneNeverJumpsAndOfAThousandAlways) {
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
    RunCases({
        {"0", [seed] { SeedRandom(seed); }, Branch("Chance 0, first"), [] { Went(1); }},
        {"1000", [seed] { SeedRandom(seed); }, Branch("Chance 1000, first"), [] { Went(2); }},
    });
  }
}

// Character 2 (maxHp 999, hp 10, level 1) in the party.
constexpr const char* kHero = "AddMember 2, 4, 3\n";
const CharStats& Stats() { return game.party[0].stats; }

TEST_F(CommandsStateTest, PartyAttributesAreComparedSetAndAddedByTheirCodes) {
  const std::string hero = kHero;
  RunCases({
      {"AddStat 1000 to hp", nullptr, hero + "AddStat 2, 4, 1000\n",
       [] { EXPECT_EQ(Stats().hp, 999); }},
      {"AddStat 1000 to maxHp", nullptr, hero + "AddStat 2, 10, 1000\n",
       [] { EXPECT_EQ(Stats().maxHp, 999); }},
      {"AddStat wraps a byte", nullptr, hero + "AddStat 2, 0, 300\n",
       [] { EXPECT_EQ(Stats().level, 45); }},
      {"AddStat wraps a word", nullptr, hero + "AddStat 2, 4, 65530\n",
       [] { EXPECT_EQ(Stats().hp, 4); }},
      {"AddStat code 12", nullptr, hero + "AddStat 2, 12, 1\n",
       [] { EXPECT_EQ(game.runStatus, 4); }},
      {"SetStat maxMp", nullptr, hero + "SetStat 2, 16, 300\n",
       [] { EXPECT_EQ(Stats().maxMp, 300); }},
      {"SetStat a byte", nullptr, hero + "SetStat 2, 3, 0x1234\n",
       [] { EXPECT_EQ(Stats().agility, 0x34); }},
      {"SetStat code 17", nullptr, hero + "SetStat 2, 17, 1\n",
       [] { EXPECT_EQ(game.runStatus, 4); }},
      {"IfStat equal", nullptr, Branch(hero + "IfStat 2, 23, 999, first, second"), [] { Went(1); }},
      {"IfStat less", nullptr, Branch(hero + "IfStat 2, 4, 11, first, second"), [] { Went(2); }},
      {"IfStat greater", nullptr, Branch(hero + "IfStat 2, 24, 19, first, second"), [] { Went(3); }},
      {"IfStat worn place", [] {}, Branch(hero + "IfStat 2, 22, 0, first, second"), [] { Went(1); }},
      {"IfStat code 25", nullptr, Branch(hero + "IfStat 2, 25, 0, first, second"),
       [] { EXPECT_EQ(game.runStatus, 4); }},
      {"IfStat of no member", nullptr, Branch("IfStat 1, 4, 0, first, second"),
       [] { EXPECT_EQ(game.runStatus, 7); }},
      {"SetStat of id 0, a free slot's", nullptr, hero + "SetStat 0, 4, 1\n",
       [] { EXPECT_EQ(game.runStatus, 7); }},
      {"Heal 100 % of 999", nullptr, hero + "Heal 2, 100\n", [] { EXPECT_EQ(Stats().hp, 999); }},
      {"Heal 1 %", nullptr, hero + "Heal 2, 1\n", [] { EXPECT_EQ(Stats().hp, 19); }},
      {"Heal 0 %", nullptr, hero + "Heal 2, 0\n", [] { EXPECT_EQ(Stats().hp, 10); }},
      {"Heal 101 %", nullptr, hero + "Heal 2, 101\n", [] { EXPECT_EQ(Stats().hp, 10); }},
      {"Heal no member", nullptr, "Heal 1, 50\n", [] { EXPECT_EQ(game.runStatus, 8); }},
      {"Lead", nullptr, "AddMember 1, 5, 3\n" + hero + "Lead 2\n", [] { EXPECT_EQ(game.partyLeader, 1); }},
      {"Lead no member", nullptr, hero + "Lead 1\n",
       [] { EXPECT_EQ(game.runStatus, 7); EXPECT_EQ(game.partyLeader, 0); }},
      {"Lead 0", nullptr, hero + "Lead 0\n",
       [] { EXPECT_EQ(game.runStatus, 7); EXPECT_EQ(game.partyLeader, 0); }},
  });
}

TEST_F(CommandsStateTest, SwitchesAndTheEncounterList) {
  RunCases({
      {"Encounters in order", nullptr, "Encounters 0, 3, 0, 5, 0, 0, 7, 0, 10, 12, 11\n",
       [] {
         const uint8_t enemies[8] = {3, 5, 7, 0, 0, 0, 0, 0};
         EXPECT_EQ(std::vector<uint8_t>(game.encounterEnemies, game.encounterEnemies + 8),
                   std::vector<uint8_t>(enemies, enemies + 8));
         EXPECT_EQ(std::vector<uint8_t>(game.encounterParams, game.encounterParams + 3),
                   (std::vector<uint8_t>{10, 11, 12}));
         EXPECT_EQ(game.encounterOn, 1);
       }},
      {"EncounterOff", nullptr, "EncounterOn\nEncounterOff\n", [] { EXPECT_EQ(game.encounterOn, 0); }},
      {"EncounterOn", nullptr, "EncounterOn\n", [] { EXPECT_EQ(game.encounterOn, 1); }},
      {"saving", nullptr, "AllowSave\n", [] { EXPECT_EQ(game.saveAllowed, 1); }},
      {"no saving", [] { game.saveAllowed = 1; }, "NoSave\n", [] { EXPECT_EQ(game.saveAllowed, 0); }},
      {"coordinates", nullptr, "CoordsOn\n", [] { EXPECT_EQ(game.showCoords, 1); }},
      {"no coordinates", [] { game.showCoords = 1; }, "CoordsOff\n", [] { EXPECT_EQ(game.showCoords, 0); }},
      {"evasion", nullptr, "Evasion 1\nThrowHandHeld 1\n",
       [] { EXPECT_EQ(game.evasionOn, 1); EXPECT_EQ(game.throwHandHeld, 1); }},
      {"countdown", nullptr, "Countdown 9, 300\n",
       [] { EXPECT_EQ(game.timerEvent, 9); EXPECT_EQ(game.timerCount, 300); }},
      {"map name of ten bytes", nullptr, "MapName \"abcdefghij\"\n",
       [] { EXPECT_STREQ(game.mapName, "abcdefghij"); }},
      {"map name cut at a whole character", nullptr, "MapName \"abcdefghi\\xB0\\xA1\"\n",
       [] { EXPECT_STREQ(game.mapName, "abcdefghi"); }},
  });
}

TEST_F(CommandsStateTest, MusicPlaysEndlesslyForZeroLoopsAndStopsForTrackZeroOrSoundOff) {
  using Calls = std::vector<std::pair<SoundHook, int>>;
  struct Music {
    const char* source;
    uint8_t soundOn;
    uint8_t loops;  // kept; the track is kept as given
    Calls calls;
  };
  for (const Music& c : {Music{"Music 3, 0\n", 1, 255, {{SoundHook::kPlayMusic, 3}}},
                         Music{"Music 3, 2\n", 1, 2, {{SoundHook::kPlayMusic, 3}}},
                         Music{"Music 0, 2\n", 1, 0, {{SoundHook::kStopMusic, 0}}},
                         Music{"Music 3, 2\n", 0, 0, {{SoundHook::kStopMusic, 0}}}}) {
    SCOPED_TRACE(c.source + std::string(c.soundOn ? "" : " with the sound off"));
    Install(c.source);
    game.soundOn = c.soundOn;
    ClearSoundHookCalls();
    rpgtest::RunFromBody();
    Calls calls;
    for (const SoundHookCall& h : SoundHookCalls()) calls.push_back({h.hook, h.track});
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(game.musicTrack, c.source[6] - '0');
    EXPECT_EQ(game.musicLoops, c.loops);
  }
}

// The field with the hero on map cell (4, 3), character 1 on (6, 3) right
// of him and character 2 on (4, 5) below him.
constexpr const char* kScene =
    "GoMap 1, 1, 0, 0\nAddMember 1, 4, 3\nPlaceNpc 1, 1, 6, 3\nPlaceNpc 2, 2, 4, 5\n";

class CommandsNpcsTest : public rpgtest::ScriptTest {
 protected:
  // Runs `commands` after the scene: RunScript's result.
  int InScene(const std::string& commands) { return Run(kScene + commands + "SetVar 1, 1\n"); }
};

ActorHeader& Hero() { return game.party[game.partyLeader].header; }

TEST_F(CommandsNpcsTest, EveryCommandNamingACharacterChecksItsNumberFirst) {
  // The command with its character number in place of #, and the run error
  // for numbers 0, 41 and an empty slot (5).
  struct Named {
    const char* command;
    uint8_t zero, past, empty;
  };
  const std::vector<Named> commands = {
      {"DropNpc #", 7, 7, 11},          {"DropNpc2 #", 7, 7, 11},
      {"WalkNpc #, 3, 3", 7, 7, 11},    {"Face #, 1", 0, 7, 11},
      {"Face 1, #", 0, 7, 11},          {"Turn #, 1, 1", 0, 7, 11},
      {"NpcMode #, 1", 7, 7, 11},       {"ShowNpc #", 0, 0, 11},
      {"PlaceNpc #, 1, 8, 8", 9, 9, 0}, {"PlaceSmallNpc #, 1, 8, 8", 9, 9, 0},
  };
  for (const Named& c : commands) {
    for (const auto& [n, error] : {std::pair{"0", c.zero}, {"41", c.past}, {"5", c.empty}}) {
      std::string command = c.command;
      command.replace(command.find('#'), 1, n);
      SCOPED_TRACE(command);
      InScene(command + "\n");
      EXPECT_EQ(game.runStatus, error);
      EXPECT_EQ(game.scriptVars[1], error ? 0 : 1);
      EXPECT_NE(game.npcs[0], nullptr);
    }
  }
}

TEST_F(CommandsNpcsTest, PlacingOnAnOccupiedSlotIsRunErrorTwelveAndDroppingRemoves) {
  InScene("PlaceNpc 1, 2, 8, 8\n");
  EXPECT_EQ(game.runStatus, 12);
  ASSERT_EQ(InScene("DropNpc 1\nDropNpc2 2\n"), 0);
  EXPECT_EQ(game.npcs[0], nullptr);
  EXPECT_EQ(game.npcs[1], nullptr);
}

TEST_F(CommandsNpcsTest, FacingEachOtherAVerticalDifferenceWins) {
  ASSERT_EQ(InScene("Face 0, 1\n"), 0);
  EXPECT_EQ(Hero().facing, 2);
  EXPECT_EQ(game.npcs[0]->facing, 4);
  ASSERT_EQ(InScene("Face 2, 0\n"), 0);
  EXPECT_EQ(game.npcs[1]->facing, 1);
  EXPECT_EQ(Hero().facing, 3);
  // Character 1 moved to (6, 5): right of and below the hero.
  ASSERT_EQ(InScene("WalkNpc 1, 6, 5\nFace 1, 0\n"), 0);
  EXPECT_EQ(game.npcs[0]->facing, 1);
  EXPECT_EQ(Hero().facing, 3);
}

// Turning takes the facing mod 4 plus 1 and the step mod 3; mode 1 is
// wandering, any other but 0 stepping in place; showing sets step 1.
TEST_F(CommandsNpcsTest, TurningModesShowingAndClearing) {
  ASSERT_EQ(InScene("Turn 1, 5, 4\nTurn 0, 3, 2\nNpcMode 2, 1\nShowNpc 2\n"), 0);
  EXPECT_EQ(game.npcs[0]->facing, 2);
  EXPECT_EQ(game.npcs[0]->step, 1);
  EXPECT_EQ(Hero().facing, 4);
  EXPECT_EQ(Hero().step, 2);
  EXPECT_EQ(game.npcs[1]->mode, 3);
  EXPECT_EQ(game.npcs[1]->step, 1);
  ASSERT_EQ(InScene("NpcMode 1, 0\nNpcMode 2, 7\n"), 0);
  EXPECT_EQ(game.npcs[0]->mode, 0);
  EXPECT_EQ(game.npcs[1]->mode, 4);
  ASSERT_EQ(InScene("PlaceSmallNpc 40, 1, 9, 9\nClearNpcs\n"), 0);
  for (int i = 0; i < kNpcSlots; ++i) EXPECT_EQ(game.npcs[i], nullptr) << i;
}

}  // namespace
