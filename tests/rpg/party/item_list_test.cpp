// The item list: where it starts, how it scrolls and pages, what its mode
// bits show, and the inventory filter over it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/mem.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/party/inventory_list.h"
#include "rpg/party/item_list.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::ArtOf;
using rpgtest::GameRun;
using rpgtest::TestLibrary;

// Six goods of the shop library; the sword's name and description fill
// their fields.
const std::vector<InvEntry> kGoods = {{9, 1, 3}, {7, 1, 1}, {9, 2, 12},
                                      {1, 1, 2}, {9, 3, 1}, {14, 1, 1}};

struct Picked {
  int result = -1;
  int scrollTop = 0;
};

// The visible row (0 ... 3) the pointer stands on, -1 for none: the
// pointer's widest row is at (4 ... 10, 23k + 14).
int PointerRow() {
  int row = -1;
  for (int k = 0; k < 4; ++k) {
    if (GetPixelColor(10, int16_t(23 * k + 14), nullptr) == testsupport::kBlack) row = k;
  }
  return row;
}

TEST(PickItemTest, StartsWithinTheListAndShowsTheSelectionsRow) {
  struct Case {
    int count, selected, scrollTop;
    int row, result, top;
  };
  const Case cases[] = {
      {6, 3, 1, 2, 3, 1},  // the remembered top stays
      {6, 0, 4, 0, 2, 2},  // top pulled back to count - 4, selection raised to it
      {3, 1, 2, 1, 1, 0},  // four or fewer: top 0
      {6, 9, 0, 3, 5, 2},  // past the end: the last, its row brought into view
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " entries from " << c.selected);
    Picked p{-1, c.scrollTop};
    GameRun run([&] { p.result = PickItem(0, c.count, kGoods.data(), c.selected, &p.scrollTop); },
                TestLibrary("shop"));
    EXPECT_EQ(PointerRow(), c.row);
    run.Key(kKeyEnter);
    EXPECT_EQ(p.result, c.result);
    EXPECT_EQ(p.scrollTop, c.top);
  }
}

TEST(PickItemTest, UpAndDownScrollAtTheEdgesWithoutWrapping) {
  struct Case {
    std::vector<uint32_t> keys;
    int row, result, top;
  };
  const Case cases[] = {
      {{kKeyUp}, 0, 0, 0},
      {{kKeyDown, kKeyDown, kKeyDown}, 3, 3, 0},
      {{kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyDown}, 3, 5, 2},
      {{kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyUp, kKeyUp, kKeyUp, kKeyUp}, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.keys.size() << " keys");
    Picked p;
    GameRun run([&] { p.result = PickItem(0, 6, kGoods.data(), 0, &p.scrollTop); },
                TestLibrary("shop"));
    for (uint32_t key : c.keys) run.Key(key);
    EXPECT_EQ(PointerRow(), c.row);
    run.Key(kKeyEscape);
    EXPECT_EQ(p.result, 255);
    EXPECT_EQ(p.scrollTop, c.top) << "Esc stores the top too";
    GameRun again([&] { p.result = PickItem(0, 6, kGoods.data(), c.result, &p.scrollTop); },
                  TestLibrary("shop"));
    EXPECT_EQ(PointerRow(), c.row);
    again.Key(kKeyEnter);
    EXPECT_EQ(p.result, c.result);
  }
  Picked empty;
  GameRun none([&] { empty.result = PickItem(0, 0, kGoods.data(), 0, &empty.scrollTop); },
               TestLibrary("shop"));
  EXPECT_TRUE(none.Finished());
  EXPECT_EQ(empty.result, 255);
}

TEST(PickItemTest, PagesTheDescriptionTwoLinesBackOrOnFromTheLastShown) {
  // The sword's 102-byte description is eight lines of which two show.
  Picked p;
  GameRun run([&] { p.result = PickItem(0, 6, kGoods.data(), 1, &p.scrollTop); },
              TestLibrary("shop"));
  auto description = [] { return ArtOf(nullptr, 43, 60, 115, 35); };
  const auto lines01 = description();
  run.Key(kKeyPageUp);
  EXPECT_EQ(description(), lines01) << "from line 1 back to line 0";
  run.Key(kKeyPageDown);
  const auto lines12 = description();
  EXPECT_NE(lines12, lines01);
  run.Keys({kKeyPageDown, kKeyPageUp});
  EXPECT_EQ(description(), lines12) << "from line 3 back two lines";
  for (int i = 0; i < 9; ++i) run.Key(kKeyPageDown);
  const auto last = description();
  run.Key(kKeyPageDown);
  EXPECT_EQ(description(), last) << "the last lines stay";
  run.Keys({kKeyDown, kKeyUp});
  EXPECT_EQ(description(), lines01) << "a move restarts at line 0";
  run.Key(kKeyEscape);
}

TEST(PickItemTest, ModeBitsChooseThePriceAndTheHeldCount) {
  // The price area and the count area of the sword (buy 120, sell 60, one
  // held) under each mode, compared with each other.
  std::vector<std::string> price[4], count[4];
  for (int mode = 0; mode < 4; ++mode) {
    Picked p;
    GameRun run([&] { p.result = PickItem(mode, 6, kGoods.data(), 1, nullptr); }, TestLibrary("shop"));
    price[mode] = ArtOf(nullptr, 74, 41, 40, 14);
    count[mode] = ArtOf(nullptr, 60, 2, 98, 16);
    run.Key(kKeyEscape);
  }
  EXPECT_EQ(price[0], price[2]);
  EXPECT_EQ(price[1], price[3]);
  EXPECT_NE(price[0], price[1]);
  EXPECT_EQ(count[0], count[1]);
  EXPECT_EQ(count[2], count[3]);
  EXPECT_NE(count[0], count[2]);
}

TEST(PickInventoryTest, ListsTheKindsAskedForAndAnswersWithInventoryIndexes) {
  struct Case {
    std::vector<uint8_t> kinds;
    int selected;
    std::vector<uint32_t> keys;
    int result;
  };
  const Case cases[] = {
      {{9}, 3, {kKeyEnter}, 2},            // starts on the last restorative at or before 3
      {{9}, 3, {kKeyDown, kKeyEnter}, 4},  // and the next one listed is entry 4
      {{9}, 0, {kKeyEnter}, 0},
      {{7, 1}, 0, {kKeyEnter}, 1},  // nothing at or before 0: the first listed
      {{1, 7}, 5, {kKeyEnter}, 3},
      {{14, 13}, 5, {kKeyDown, kKeyEnter}, 5},
      {{12}, 0, {}, 255},  // nothing listed
      {{9}, 2, {kKeyEscape}, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "selection " << c.selected << ", " << c.kinds.size() << " kinds");
    int result = -1, top = 0, blocksBefore = -1, blocksAfter = -1;
    GameRun run(
        [&] {
          blocksBefore = MemLiveBlocks();
          result = PickInventory(kGoods.data(), 6, c.kinds.data(), int(c.kinds.size()), c.selected, &top);
          blocksAfter = MemLiveBlocks();
        },
        TestLibrary("shop"));
    for (uint32_t key : c.keys) run.Key(key);
    ASSERT_TRUE(run.Finished());
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(blocksAfter, blocksBefore) << "the list's blocks are freed";
  }
}

}  // namespace
