// The lists and the shops built on them: where the item list starts, how it
// scrolls and pages, and the inventory filter over it; the magic list; then
// buying, selling and the quantity dialog, with the money and inventory rules
// they keep (the shop's goldens show the item list's modes 0 and 3), and the
// script commands that open the shops.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/mem.h"
#include "rpg/party/inventory_list.h"
#include "rpg/party/item_list.h"
#include "rpg/party/magic_list.h"
#include "rpg/party/shop.h"
#include "tests/rpg/party/screen_drive.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/host_screen.h"

namespace {

using namespace partytest;

// Six goods of the shop library; the sword's name and description fill
// their fields.
const Inventory kSixGoods = {{9, 1, 3}, {7, 1, 1}, {9, 2, 12}, {1, 1, 2}, {9, 3, 1}, {14, 1, 1}};

// The visible row (0 ... 3) the pointer stands on, -1 for none: the
// pointer's widest row is at (4 ... 10, 23k + 14).
int PointerRow() {
  int row = -1;
  for (int k = 0; k < 4; ++k) {
    if (GetPixelColor(10, int16_t(23 * k + 14), nullptr) == testsupport::kBlack) row = k;
  }
  return row;
}

TEST(PickItemTest, StartsWithinTheListScrollsWithoutWrappingAndKeepsTheTop) {
  struct Case {
    int count, selected, scrollTop;
    std::vector<uint32_t> keys;
    int row, top;  // Enter then gives entry top + row
  };
  const uint32_t d = kKeyDown, u = kKeyUp;
  const Case cases[] = {
      {6, 3, 1, {}, 2, 1},  // the remembered top stays
      {6, 0, 4, {}, 0, 2},  // top pulled back to count - 4, selection raised to it
      {3, 1, 2, {}, 1, 0},  // four or fewer: top 0
      {6, 9, 0, {}, 3, 2},  // past the end: the last, its row brought into view
      {6, 0, 0, {u}, 0, 0},
      {6, 0, 0, {d, d, d}, 3, 0},
      {6, 0, 0, {d, d, d, d, d, d, d}, 3, 2},
      {6, 0, 0, {d, d, d, d, d, u, u, u, u}, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " entries from " << c.selected << ", " << c.keys.size() << " keys");
    int result = -1, top = c.scrollTop;
    GameRun run([&] { result = PickItem(0, c.count, kSixGoods.data(), c.selected, &top); }, TestLibrary("shop"));
    for (uint32_t key : c.keys) run.Key(key);
    EXPECT_EQ(PointerRow(), c.row);
    run.Key(kKeyEnter);
    EXPECT_EQ(result, c.top + c.row);
    EXPECT_EQ(top, c.top);
  }
  int empty = -1;
  GameRun none([&] { empty = PickItem(0, 0, kSixGoods.data(), 0, nullptr); }, TestLibrary("shop"));
  EXPECT_EQ(empty, 255);
}

// The sword's 102-byte description in the item list (rule B) and the first
// magic's in the magic list (rule A): two lines show; Page keys move through it.
TEST(ListPagingTest, PageKeysMoveThroughTheDescriptionAndAMoveRestartsIt) {
  const MagicEntry magics[] = {{3, 1}, {3, 2}};
  struct Case {
    std::function<void()> list;
    int x, y, w, h;
  };
  const Case cases[] = {{[] { PickItem(0, 6, kSixGoods.data(), 1, nullptr); }, 43, 60, 115, 35},
                        {[&] { PickMagic(magics, 2, 0); }, 11, 42, 136, 34}};
  for (const Case& c : cases) {
    GameRun run(c.list, TestLibrary("shop"));
    auto description = [&] { return ArtOf(nullptr, c.x, c.y, c.w, c.h); };
    const auto lines01 = description();
    run.Key(kKeyPageUp);
    EXPECT_EQ(description(), lines01) << "nothing above line 0";
    run.Key(kKeyPageDown);
    const auto lines12 = description();
    EXPECT_NE(lines12, lines01);
    run.Keys({kKeyPageDown, kKeyPageUp});
    EXPECT_EQ(description(), lines12) << "two lines back";
    run.Keys({kKeyDown, kKeyUp});
    EXPECT_EQ(description(), lines01) << "a move restarts at line 0";
    run.Key(kKeyEscape);
  }
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
      {{7, 1}, 0, {kKeyEnter}, 1},  // nothing at or before 0: the first listed
      {{1, 7}, 5, {kKeyEnter}, 3},
      {{12}, 0, {}, 255},  // nothing listed
      {{9}, 2, {kKeyEscape}, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "selection " << c.selected << ", " << c.kinds.size() << " kinds");
    int result = -1, top = 0, blocksBefore = -1, blocksAfter = -1;
    GameRun run(
        [&] {
          blocksBefore = MemLiveBlocks();
          result = PickInventory(kSixGoods.data(), 6, c.kinds.data(), int(c.kinds.size()), c.selected, &top);
          blocksAfter = MemLiveBlocks();
        },
        TestLibrary("shop"));
    for (uint32_t key : c.keys) run.Key(key);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(blocksAfter, blocksBefore) << "the list's blocks are freed";
  }
}

TEST(PickInventoryTest, WithoutMemoryForItsBlocksIsRunErrorOne) {
  int result = -1, status = -1;
  GameRun run(
      [&] {
        // The pool filled up, in ever smaller blocks.
        std::vector<void*> hog;
        for (uint32_t size = 1u << 20; size > 0; size /= 2) {
          while (void* block = MemAlloc(size)) hog.push_back(block);
        }
        const uint8_t kinds[] = {9};
        result = PickInventory(kSixGoods.data(), 6, kinds, 1, 0, nullptr);
        status = game.runStatus;
        for (void* block : hog) MemFree(block);
      },
      TestLibrary("shop"));
  EXPECT_EQ(result, 255);
  EXPECT_EQ(status, 1);
}

const MagicEntry kMagics[] = {{3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}};

// Where the magic list stands: the cursor's row (0 top, 1 second, -1 none),
// whether the top and bottom markers are filled, and whether a second name
// is shown.
struct MagicView {
  int cursorRow;
  bool moreAbove, moreBelow, secondName;
  bool operator==(const MagicView&) const = default;
};
MagicView ViewOfMagic() {
  auto black = [](int x, int y) { return GetPixelColor(int16_t(x), int16_t(y), nullptr) == testsupport::kBlack; };
  const int row = black(109, 10) ? 0 : black(109, 26) ? 1 : -1;
  bool second = false;
  for (int x = 14; x < 94; ++x) second = second || black(x, 30);
  return {row, black(133, 10), black(133, 34), second};
}

TEST(PickMagicTest, StartsWithinTheListAndMarksMoreAboveAndBelow) {
  struct Case {
    int count, selected;
    std::vector<uint32_t> keys;
    MagicView view;
    int result;
    const char* golden = nullptr;
  };
  const Case cases[] = {
      {1, 0, {}, {0, false, false, false}, 0},  // a single name, both markers hollow
      {5, 0, {}, {0, false, true, true}, 0},
      {5, 0, {kKeyDown}, {1, false, true, true}, 1},
      {5, 0, {kKeyRight, kKeyDown}, {1, true, true, true}, 2},  // scrolled by one
      {5, 9, {}, {1, true, false, true}, 4},  // past the end: the last on the second row
      {5, 4, {kKeyUp, kKeyLeft, kKeyLeft}, {0, true, true, true}, 1},
      {5, 2, {}, {0, true, true, true}, 2, "magic_list"},  // the cost of 6 shown
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " magics from " << c.selected);
    int result = -1;
    GameRun run([&] { result = PickMagic(kMagics, c.count, c.selected); }, TestLibrary("shop"));
    for (uint32_t key : c.keys) run.Key(key);
    EXPECT_EQ(ViewOfMagic(), c.view);
    if (c.golden) ShowsGolden(c.golden)();
    run.Key(kKeyEnter);
    EXPECT_EQ(result, c.result);
  }
  int none = -1;
  GameRun empty([&] { none = PickMagic(kMagics, 0, 0); }, TestLibrary("shop"));
  EXPECT_EQ(none, 255);
}

const Inventory kGoods = {{9, 1, 0}, {7, 1, 0}, {9, 2, 0}, {1, 1, 0}, {9, 3, 0}};

struct Shop {
  uint32_t money = 0;
  Inventory inventory;
};

// Runs `screen` on `before`, presses `keys`, then Esc while it still runs;
// what it left behind.
Shop Visit(const Shop& before, std::function<void()> screen, const Keys& keys,
         const std::function<void()>& look = {}) {
  Shop after;
  Drive([&] {
    game.money = before.money;
    Stock(before.inventory);
    screen();
    after = {game.money, InventoryNow()};
  }, TestLibrary("shop"), keys, look, 1500, 2);
  return after;
}

void Buy() { BuyMenu(0, int(kGoods.size()), kGoods.data()); }

TEST(ShopMenusTest, TradesPayWhatTheDialogShowsWithinTheMoneyAndTheLimits) {
  const Inventory full = FullInventory({12, 200, 1}), fullWithSalve = FullInventory({9, 1, 5}),
                  oneMore = FullInventory({9, 1, 6});
  const Inventory held = {{9, 1, 2}, {7, 1, 1}, {9, 3, 3}};
  const Inventory herbSold = {{9, 1, 2}, {7, 1, 1}, {9, 3, 2}};
  const Keys oneHerb = {kKeyDown, kKeyDown, kKeyEnter, kKeyDown, kKeyEnter};
  struct Case {
    const char* what;
    void (*screen)();
    Shop before;
    Keys keys;
    Shop after;
  };
  const Case cases[] = {
      {"the last coin, then too little", Buy, {20, {}}, {kKeyEnter, kKeyUp, kKeyUp, kWait, kKeyEnter}, {0, {{9, 1, 1}}}},
      {"98 held stop at 99", Buy, {1000, {{9, 1, 98}}}, {kKeyEnter, kKeyUp, kKeyUp, kKeyEnter}, {980, {{9, 1, 99}}}},
      {"Down takes back", Buy, {1000, {}}, {kKeyEnter, kKeyUp, kKeyUp, kKeyUp, kKeyDown, kKeyEnter}, {960, {{9, 1, 2}}}},
      {"buying: Enter at 0", Buy, {1000, {}}, {kKeyEnter, kKeyUp, kKeyDown, kKeyEnter}, {1000, {}}},
      {"too little for one", Buy, {19, {}}, {kKeyEnter, kWait, kKeyEnter, kWait}, {19, {}}},
      {"no room for a new entry", Buy, {1000, full}, {kKeyEnter, kWait, kKeyEnter, kWait}, {1000, full}},
      {"room in a held entry", Buy, {100, fullWithSalve}, {kKeyEnter, kKeyUp, kKeyEnter}, {80, oneMore}},
      {"all of the first entry sold: the last takes its place", SellMenu, {100, held},
       {kKeyEnter, kKeyDown, kKeyDown, kKeyEnter}, {120, {{9, 3, 3}, {7, 1, 1}}}},
      {"one of two sold", SellMenu, {100, held}, {kKeyEnter, kKeyDown, kKeyDown, kKeyUp, kKeyEnter},
       {110, {{9, 1, 1}, {7, 1, 1}, {9, 3, 3}}}},
      {"selling: Enter at 0", SellMenu, {100, held}, {kKeyEnter, kKeyEnter}, {100, held}},
      {"Esc in the dialog", SellMenu, {100, held}, {kKeyEnter, kKeyDown, kKeyEscape}, {100, held}},
      {"exactly the limit", SellMenu, {59999, held}, oneHerb, {99999, herbSold}},
      {"capped", SellMenu, {70000, held}, oneHerb, {99999, herbSold}},
      {"above the limit already: kept", SellMenu, {150000, held}, oneHerb, {150000, herbSold}},
      {"bound to a flag", SellMenu, {50, {{14, 1, 1}}}, {kKeyEnter, kWait}, {50, {{14, 1, 1}}}},
      {"nothing to sell", SellMenu, {50, {}}, {kWait}, {50, {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Shop after = Visit(c.before, c.screen, c.keys);
    EXPECT_EQ(after.money, c.after.money);
    EXPECT_EQ(after.inventory, c.after.inventory);
  }
}

TEST(ShopTest, ListAndDialogGoldens) {
  Visit({1234, {}}, Buy, {kKeyDown}, ShowsGolden("shop_buy_list"));
  // With money equal to the price, one piece leaves 0 shown.
  Visit({20, {}}, Buy, {kKeyEnter, kKeyUp}, ShowsGolden("shop_buy_dialog"));
  const Shop held = {70000, {{9, 1, 3}, {7, 1, 1}, {14, 1, 1}, {9, 3, 12}, {1, 1, 2}}};
  Visit(held, SellMenu, {}, ShowsGolden("shop_sell_list"));
  // One herb of 40000 shows the capped 99999, not 110000.
  Visit(held, SellMenu, {kKeyUp, kKeyDown, kKeyDown, kKeyDown, kKeyEnter, kKeyDown}, ShowsGolden("shop_sell_dialog"));
}

// The commands run from a script; a flag set after them shows it went on.
TEST(ShopCommandsTest, OpenTheShopsAndGoOn) {
  // Thirty goods: the five of the library six times; the last is (9, 1).
  const char* five[] = {"7:1", "9:2", "1:1", "9:3", "9:1"};
  std::string thirty = "Shop ";
  for (int i = 0; i < 30; ++i) thirty += std::string(i ? ", " : "") + five[i % 5];
  const std::pair<std::string, Keys> cases[] = {{"Shop", {}},
                                                {thirty, Keys(29, kKeyDown) + Keys{kKeyEnter, kKeyUp, kKeyEnter}},
                                                {"Sell", {kKeyEnter, kKeyDown, kKeyDown, kKeyEnter}}};
  for (const auto& [command, keys] : cases) {
    SCOPED_TRACE(command.substr(0, 12));
    uint32_t money = 0;
    bool flagged = false;
    Drive([&] {
      game.money = 500;
      Stock({{9, 1, 2}});
      rpgtest::RunFromBody();
      money = game.money;
      flagged = game.eventFlags[0] & 0x80;
    }, rpgtest::WithScripts(TestLibrary("shop"), {{1, 1, command + "\nSetFlag 7\nEnd\n"}}), keys, {}, 0, 1);
    EXPECT_EQ(money, command == "Shop" ? 500u : command == "Sell" ? 520u : 480u);
    EXPECT_TRUE(flagged);
  }
}

}  // namespace
