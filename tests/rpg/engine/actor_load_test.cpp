// Map-character slots and actor records loaded into their slots.

#include "rpg/engine/actor_load.h"

#include <gtest/gtest.h>

#include "rpg/engine/game_state.h"
#include "tests/rpg/support/memory_library.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;

class ActorLoadTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

// A map character's record: facing 2, mode 1 at (7, 8), targets far off,
// the carried bytes 9 ... 20 counting up, rest 6, picture `picture`.
Bytes NpcRecordBytes(uint8_t group, uint8_t picture) {
  Bytes b = {group, 5, 2, 1, 1, 7, 8, 250, 250};
  for (uint8_t i = 9; i <= 20; ++i) b.push_back(i);
  b.insert(b.end(), {6, picture});
  return b;
}

Bytes Library() {
  return rpgtest::PackLibrary({{{3, 2, 1}, NpcRecordBytes(2, 3)},
                               {{3, 4, 1}, NpcRecordBytes(4, 1)},
                               {{3, 2, 9}, NpcRecordBytes(2, 9)},
                               {{3, 3, 1}, Bytes(48, 0)},
                               {{8, 2, 3}, {2, 3, 16, 16, 12, 2}},
                               {{8, 4, 1}, {4, 1, 16, 16, 12, 2}}});
}

TEST_F(ActorLoadTest, SlotsAreTakenAndFreedOnlyWithinTheTable) {
  AllocNpcSlot(39);
  EXPECT_EQ(game.npcs[39], &game.npcStore[39]);
  AllocNpcSlot(40);
  EXPECT_EQ(game.runStatus, 9);
  game.runStatus = 0;
  AllocNpcSlot(39);
  EXPECT_EQ(game.runStatus, 12);
  for (uint8_t slot : {40, 255, 0}) {
    game.runStatus = 0;
    RemoveNpc(slot);
    EXPECT_EQ(game.runStatus, slot == 0 ? 11 : 7) << int(slot);
  }
  for (int i = 0; i < 39; ++i) EXPECT_EQ(game.npcs[i], nullptr);
  game.runStatus = 0;
  game.npcs[39]->x = 4;
  RemoveNpc(39);
  EXPECT_EQ(game.npcs[39], nullptr);
  EXPECT_EQ(game.npcStore[39].x, 0);
}

// How the record's fields fill the slot shows where characters are placed,
// drawn and saved; here the sheet is looked up in the record's own group.
TEST_F(ActorLoadTest, AMapCharacterTakesTheSheetOfItsOwnGroup) {
  InstalledLibrary lib(Library());
  AllocNpcSlot(4);
  LoadActor(4, 4, 1);
  ASSERT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.npcs[4]->picBlock, 2);
  EXPECT_EQ(game.npcs[4]->picOffset, 3 + 6);
}

TEST_F(ActorLoadTest, LoadingFailsOnBadSlotsKindsAndRecords) {
  Bytes image = Library();
  struct Case {
    const char* what;
    uint8_t slot, kind, no;
    uint8_t status;
  };
  for (const Case& c : {Case{"empty slot", 5, 2, 1, 11}, Case{"slot past the table", 40, 2, 1, 7},
                        Case{"no record", 3, 2, 2, 3}, Case{"no sheet", 3, 2, 9, 3},
                        Case{"an enemy slot past three", 3, 3, 1, 7}, Case{"no such kind", 3, 7, 1, 3}}) {
    ResetGameState();
    InstalledLibrary lib(image);
    AllocNpcSlot(3);
    LoadActor(c.slot, c.kind, c.no);
    EXPECT_EQ(game.runStatus, c.status) << c.what;
  }
  ResetGameState();
  AllocNpcSlot(0);
  LoadNpc(0, Bytes(22, 0));
  EXPECT_EQ(game.runStatus, 2) << "a record one byte short";
}

}  // namespace
