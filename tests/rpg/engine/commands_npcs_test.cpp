// Script commands on the map characters: every command naming a character
// checks its number first, facing and turning, modes, showing and clearing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rpg/engine/game_state.h"
#include "tests/rpg/support/script_library.h"

namespace {

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
