// The shops: buying, selling and the quantity dialog, with the money and
// inventory rules they keep, and the script commands that open them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/party/shop.h"
#include "tests/rpg/party/screen_drive.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/script_library.h"

namespace {

using rpgtest::ShowsGolden;
using rpgtest::TestLibrary;
using namespace partytest;

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
  Inventory full(200, {12, 1, 1});
  for (int i = 0; i < 200; ++i) full[i].id = uint8_t(i + 1);
  Inventory fullWithSalve = full, oneMore = full;
  fullWithSalve[199] = {9, 1, 5};
  oneMore[199] = {9, 1, 6};
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
