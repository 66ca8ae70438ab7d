// The shops: buying, selling and the quantity dialog, with the money and
// inventory rules they keep, and the script commands that open them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/party/inventory.h"
#include "rpg/party/quantity_dialog.h"
#include "rpg/party/shop.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"

// Entries compared and printed whole (found by lookup in their own, the
// global, namespace).
static bool operator==(const InvEntry& a, const InvEntry& b) {
  return a.kind == b.kind && a.id == b.id && a.count == b.count;
}

static void PrintTo(const InvEntry& e, std::ostream* os) {
  *os << int(e.kind) << "/" << int(e.id) << "x" << int(e.count);
}

namespace {

using rpgtest::GameRun;
using rpgtest::TestLibrary;
using Inventory = std::vector<InvEntry>;

const Inventory kGoods = {{9, 1, 0}, {7, 1, 0}, {9, 2, 0}, {1, 1, 0}, {9, 3, 0}};
// More than a ShowMessage of 100 ticks lasts.
constexpr int kMessageMs = 1500;

// What a shop left behind.
struct After {
  uint32_t money = 0;
  Inventory inventory;
};

// Runs `shop` with the money and inventory given; `after` is filled when it
// returns.
GameRun Shop(uint32_t money, const Inventory& inventory, std::function<void()> shop, After& after) {
  return GameRun(
      [=, &after] {
        game.money = money;
        for (const InvEntry& e : inventory) game.inventory[game.invCount++] = e;
        shop();
        after.money = game.money;
        after.inventory.assign(game.inventory, game.inventory + game.invCount);
      },
      TestLibrary("shop"));
}

void Buy(uint32_t money, const Inventory& inventory, After& after, std::function<void(GameRun&)> keys) {
  GameRun run = Shop(money, inventory, [] { BuyMenu(0, int(kGoods.size()), kGoods.data()); }, after);
  keys(run);
  run.Key(kKeyEscape);
  EXPECT_TRUE(run.Finished());
}

TEST(BuyMenuTest, MoneyEqualToThePriceBuysOnePieceAndShowsNothingLeft) {
  After after;
  Buy(20, {}, after, [](GameRun& run) {
    run.Keys({kKeyEnter, kKeyUp});
    EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/shop_buy_dialog"));
    run.Key(kKeyUp);  // too little money for a second: a message
    run.Advance(kMessageMs);
    run.Key(kKeyEnter);
  });
  EXPECT_EQ(after.money, 0u);
  EXPECT_EQ(after.inventory, (Inventory{{9, 1, 1}}));
}

TEST(BuyMenuTest, KeepsTheMoneyAndTheLimitsOfAnEntry) {
  Inventory full;
  for (int id = 1; id <= 199; ++id) full.push_back({12, uint8_t(id), 1});
  full.push_back({9, 1, 5});
  struct Case {
    const char* what;
    uint32_t money;
    Inventory inventory;
    std::vector<uint32_t> keys;
    uint32_t moneyAfter;
    uint8_t countAfter;  // of the restorative (9, 1); 0 when not held
  };
  const Case cases[] = {
      {"98 held stop at 99", 1000, {{9, 1, 98}}, {kKeyEnter, kKeyUp, kKeyUp, kKeyUp, kKeyEnter}, 980, 99},
      {"Down takes back", 1000, {}, {kKeyEnter, kKeyUp, kKeyUp, kKeyUp, kKeyDown, kKeyEnter}, 960, 2},
      {"Enter at 0 buys nothing", 1000, {}, {kKeyEnter, kKeyUp, kKeyDown, kKeyEnter}, 1000, 0},
      {"Esc buys nothing", 1000, {}, {kKeyEnter, kKeyUp, kKeyEscape}, 1000, 0},
      {"a full inventory still takes more of a held item", 100, full, {kKeyEnter, kKeyUp, kKeyEnter}, 80, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    After after;
    Buy(c.money, c.inventory, after, [&](GameRun& run) {
      for (uint32_t key : c.keys) run.Key(key);
    });
    EXPECT_EQ(after.money, c.moneyAfter);
    uint8_t count = 0;
    for (const InvEntry& e : after.inventory) count = e.kind == 9 && e.id == 1 ? e.count : count;
    EXPECT_EQ(count, c.countAfter);
  }
}

TEST(BuyMenuTest, RefusesWhatCannotBePaidOrCarried) {
  Inventory full;
  for (int id = 1; id <= 200; ++id) full.push_back({12, uint8_t(id), 1});
  struct Case {
    const char* what;
    uint32_t money;
    Inventory inventory;
  };
  const Case cases[] = {{"too little money", 19, {}}, {"no room for a new entry", 1000, full}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    After after;
    Buy(c.money, c.inventory, after, [](GameRun& run) {
      run.Key(kKeyEnter);
      run.Advance(kMessageMs);
      run.Key(kKeyEnter);  // the list again, not a dialog
      run.Advance(kMessageMs);
    });
    EXPECT_EQ(after.money, c.money);
    EXPECT_EQ(after.inventory, c.inventory);
  }
}

TEST(BuyMenuTest, ListGolden) {
  After after;
  Buy(1234, {}, after, [](GameRun& run) {
    run.Key(kKeyDown);
    EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/shop_buy_list"));
  });
}

void Sell(uint32_t money, const Inventory& inventory, After& after, const std::vector<uint32_t>& keys) {
  GameRun run = Shop(money, inventory, [] { SellMenu(); }, after);
  for (uint32_t key : keys) run.Key(key);
  run.Advance(kMessageMs);
  if (!run.Finished()) run.Key(kKeyEscape);
  EXPECT_TRUE(run.Finished());
}

TEST(SellMenuTest, SalesPayTheSellPriceUpToTheLimitAndNeverLowerMoney) {
  struct Case {
    uint32_t money;
    std::vector<uint32_t> keys;
    uint32_t moneyAfter;
    Inventory inventoryAfter;
  };
  const Inventory held = {{9, 1, 2}, {7, 1, 1}, {9, 3, 3}};
  const std::vector<uint32_t> oneHerb = {kKeyDown, kKeyDown, kKeyEnter, kKeyDown, kKeyEnter};
  const Case cases[] = {
      // Selling all of the first entry: the last takes its place.
      {100, {kKeyEnter, kKeyDown, kKeyDown, kKeyEnter}, 120, {{9, 3, 3}, {7, 1, 1}}},
      {100, {kKeyEnter, kKeyDown, kKeyDown, kKeyUp, kKeyEnter}, 110, {{9, 1, 1}, {7, 1, 1}, {9, 3, 3}}},
      {100, {kKeyEnter, kKeyEnter}, 100, held},                 // Enter at 0
      {100, {kKeyEnter, kKeyDown, kKeyEscape}, 100, held},      // Esc
      {59999, oneHerb, 99999, {{9, 1, 2}, {7, 1, 1}, {9, 3, 2}}},  // exactly the limit
      {70000, oneHerb, 99999, {{9, 1, 2}, {7, 1, 1}, {9, 3, 2}}},  // capped
      {150000, oneHerb, 150000, {{9, 1, 2}, {7, 1, 1}, {9, 3, 2}}},  // above it already: kept
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "money " << c.money << ", " << c.keys.size() << " keys");
    After after;
    Sell(c.money, held, after, c.keys);
    EXPECT_EQ(after.money, c.moneyAfter);
    EXPECT_EQ(after.inventory, c.inventoryAfter);
  }
}

TEST(SellMenuTest, RefusesFlaggedItemsAndAnEmptyInventory) {
  After after;
  Sell(50, {{14, 1, 1}}, after, {kKeyEnter});
  EXPECT_EQ(after.inventory, (Inventory{{14, 1, 1}}));
  After empty;
  GameRun run = Shop(50, {}, [] { SellMenu(); }, empty);
  EXPECT_FALSE(run.Finished()) << "the message waits";
  run.Advance(kMessageMs);
  EXPECT_TRUE(run.Finished());
  EXPECT_EQ(empty.money, 50u);
}

TEST(SellMenuTest, ListAndDialogGoldens) {
  After after;
  GameRun run = Shop(70000, {{9, 1, 3}, {7, 1, 1}, {14, 1, 1}, {9, 3, 12}, {1, 1, 2}},
                     [] { SellMenu(); }, after);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/shop_sell_list"));
  run.Keys({kKeyUp, kKeyDown, kKeyDown, kKeyDown, kKeyEnter, kKeyDown});
  // One herb of 40000 shows the capped 99999, not 110000.
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/shop_sell_dialog"));
  run.Keys({kKeyEscape, kKeyEscape});
  EXPECT_EQ(after.money, 70000u);
}

TEST(MoneyAfterSaleTest, CapsTheSumButNeverTakesMoneyAway) {
  EXPECT_EQ(MoneyAfterSale(0, 10), 10u);
  EXPECT_EQ(MoneyAfterSale(99990, 9), 99999u);
  EXPECT_EQ(MoneyAfterSale(99990, 4000000000u), 99999u);
  EXPECT_EQ(MoneyAfterSale(150000, 60), 150000u);
  EXPECT_EQ(MoneyAfterSale(4294967295u, 99 * 65535), 4294967295u);
}

// The shop commands run from a script; a flag set after them shows the
// script went on.
TEST(ShopCommandsTest, OpenTheShopsAndGoOn) {
  // Thirty goods: the five of the library six times; the last is (9, 1).
  const char* five[] = {"7:1", "9:2", "1:1", "9:3", "9:1"};
  std::string thirty = "Shop ";
  for (int i = 0; i < 30; ++i) thirty += std::string(i ? ", " : "") + five[i % 5];
  struct Case {
    std::string command;
    std::vector<uint32_t> keys;
    uint32_t moneyAfter;
  };
  std::vector<uint32_t> last(29, kKeyDown);
  last.insert(last.end(), {kKeyEnter, kKeyUp, kKeyEnter, kKeyEscape});
  const Case cases[] = {
      {"Shop", {}, 500},
      {"Shop 9:2", {kKeyEnter, kKeyUp, kKeyEnter, kKeyEscape}, 0},
      {thirty, last, 480},
      {"Sell", {kKeyEnter, kKeyDown, kKeyDown, kKeyEnter}, 520},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command.substr(0, 12));
    const rpgtest::Bytes lib =
        rpgtest::WithScripts(TestLibrary("shop"), {{1, 1, c.command + "\nSetFlag 7\nEnd\n"}});
    uint32_t money = 0;
    bool flagged = false;
    GameRun run(
        [&] {
          game.money = 500;
          game.inventory[game.invCount++] = {9, 1, 2};
          rpgtest::RunFromBody();
          money = game.money;
          flagged = game.eventFlags[0] & 0x80;
        },
        lib);
    for (uint32_t key : c.keys) run.Key(key);
    ASSERT_TRUE(run.Finished());
    EXPECT_EQ(money, c.moneyAfter);
    EXPECT_TRUE(flagged);
  }
}

}  // namespace
