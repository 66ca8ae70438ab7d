// A saved game of the current layout, made once by the game from the saves
// test library and committed with its dumps under data/saved_game_1 (never
// regenerated): every build loads it to the state it was saved from and
// saves that state to the same bytes again (datlib's tests print it).
// The files also hold where the library kept the script and the sheets, so
// they pin the saves test library's layout as well.
// A change of the layout adds a fixture beside this one, which keeps loading.

#include <gtest/gtest.h>

#include <string>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/load_game.h"
#include "rpg/engine/parking.h"
#include "rpg/engine/save_game.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/saves_game.h"
#include "tests/support/scratch.h"

namespace {

using testsupport::ReadFile;

const std::string kFixture = std::string(TOVSIM_SAVE_FIXTURES) + "/saved_game_1/";

struct FixtureFile {
  const char* file;
  const char* asSaved;  // its name in Save/
};
const FixtureFile kFiles[] = {
    {"main.sav", "../Save/saves0.sav"},
    {"members.sav", "../Save/saves1.sav"},
    {"parked2.savt", "../Save/saves\x96.savt"},
};

// Checked on the game's thread as it goes.
TEST(SaveFixtureTest, TheGameLoadsItAndSavesTheSameBytesAgain) {
  rpgtest::GameRun run([&] {
    for (const FixtureFile& f : kFiles) {
      testsupport::WriteFile(f.asSaved, ReadFile(kFixture + f.file));
    }
    ASSERT_TRUE(LoadGame());  // slot 0, chosen with Enter
    EXPECT_EQ(game.money, 1111u);
    EXPECT_STREQ(reinterpret_cast<const char*>(game.mapName), "\xD4\xAD\xD2\xB0");  // 原野
    EXPECT_EQ((MemberSlot(1) != 255) + (MemberSlot(2) != 255), 2);
    EXPECT_EQ(game.viewX, 5);
    EXPECT_EQ(game.viewY, 5);
    // Saved into slot 1 the loaded game gives the fixture's files again.
    ASSERT_TRUE(SaveToSlot(1));
    EXPECT_EQ(ReadFile("../Save/saves2.sav"), ReadFile(kFixture + "main.sav"));
    EXPECT_EQ(ReadFile("../Save/saves3.sav"), ReadFile(kFixture + "members.sav"));
    // The parked file brings character 2 back at its level and parks again
    // to the same bytes.
    testsupport::WriteFile(kFiles[2].asSaved, ReadFile(kFixture + kFiles[2].file));
    RemoveMember(2);
    ASSERT_TRUE(RestoreParkedMember(2));
    EXPECT_EQ(game.party[MemberSlot(2)].stats.level, 5);
    ParkMember(2);
    EXPECT_EQ(ReadFile(kFiles[2].asSaved), ReadFile(kFixture + "parked2.savt"));
  }, rpgtest::SavesLibrary());
  run.Key(kKeyEnter);
  ASSERT_TRUE(run.Finished());
}

}  // namespace
