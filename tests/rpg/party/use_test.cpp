// Items and magic used from the system menu: what is used up, on whom, what
// a cast costs, and the system menu's branches around them.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/hero_move.h"
#include "rpg/engine/script.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/party/event_flags.h"
#include "rpg/party/item_use.h"
#include "rpg/party/magic_use.h"
#include "rpg/party/system_menu.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"

static bool operator==(const InvEntry& a, const InvEntry& b) {
  return a.kind == b.kind && a.id == b.id && a.count == b.count;
}

namespace {

using rpgtest::GameRun;
using Inventory = std::vector<InvEntry>;
using Keys = std::vector<uint32_t>;

constexpr uint32_t d = kKeyDown, u = kKeyUp, l = kKeyLeft, r = kKeyRight, e = kKeyEnter,
                   x = kKeyEscape;
// Not keys: lets a message of up to 200 ticks run out; one tick of it.
constexpr uint32_t kWait = 0, kTick = 1;

// Members in slots 1 and 2 (slot 0, the leader's, empty): hp of 100 and mp
// of 40 at most; the first knows a battle magic and three healing ones.
struct Member {
  uint16_t hp, mp, attack;
};
using Party = std::vector<Member>;
const Party kTwo = {{50, 20, 10}, {60, 5, 10}};

void SetParty(const Party& party) {
  const MagicEntry magics[] = {{1, 1}, {3, 6}, {3, 7}, {3, 1}};
  for (size_t i = 0; i < party.size(); ++i) {
    PartySlot& s = game.party[i + 1];
    s.header.id = uint8_t(i + 1);
    std::strcpy(s.name, i ? "小白" : "阿青");
    s.stats = {};
    s.stats.level = 3, s.stats.maxHp = 100, s.stats.maxMp = 40;
    s.stats.hp = party[i].hp, s.stats.mp = party[i].mp, s.stats.attack = party[i].attack;
    std::memcpy(s.magic, magics, sizeof magics);
    s.magicCount = 4;
  }
}

Party PartyNow(size_t n) {
  Party p;
  for (size_t i = 0; i < n; ++i) {
    const CharStats& s = game.party[i + 1].stats;
    p.push_back({s.hp, s.mp, s.attack});
  }
  return p;
}

bool operator==(const Member& a, const Member& b) {
  return a.hp == b.hp && a.mp == b.mp && a.attack == b.attack;
}

// Runs `screen` with `party` and `inventory` set and the test scripts
// current, presses `keys`, lets `look` look, then Esc while it still runs;
// what `screen` returned.
int Visit(const Party& party, const Inventory& inventory, const std::function<int()>& screen,
          const Keys& keys, const std::function<void()>& look = {}) {
  int result = -1;
  GameRun run(
      [&] {
        SetParty(party);
        for (const InvEntry& entry : inventory) game.inventory[game.invCount++] = entry;
        game.scriptBank = 1, game.scriptNo = 1;
        LoadScript();
        result = screen();
      },
      rpgtest::WithScripts(rpgtest::TestLibrary("shop"),
                           {{1, 1, ".event 255, lit\nEnd\nlit: SetFlag 7\nEnd\n"},
                            {1, 2, "End\n"},
                            {255, 1, "SetFlag 6\nEnd\n"}}));
  for (uint32_t key : keys) {
    if (key == kWait || key == kTick) {
      run.Advance(key == kWait ? 101000 : 10);
    } else {
      run.Key(key);
    }
  }
  if (look) look();
  for (int i = 0; i < 4 && !run.Finished(); ++i) run.Key(kKeyEscape);
  EXPECT_TRUE(run.Finished());
  return result;
}

// A sword first (not listed), then the usable kinds; list entry k is
// inventory entry k + 1.
const Inventory kBag = {{7, 1, 1},  {8, 1, 1}, {9, 1, 3},  {9, 4, 2}, {10, 1, 1},
                        {11, 1, 1}, {12, 1, 1}, {9, 5, 1}, {13, 1, 1}, {14, 1, 1}};

Inventory Without(size_t at) {
  Inventory bag = kBag;
  bag[at] = bag.back();
  bag.pop_back();
  return bag;
}

Inventory Counted(size_t at, uint8_t count) {
  Inventory bag = kBag;
  bag[at].count = count;
  return bag;
}

// Down to list entry k, and Enter.
Keys Pick(int k) {
  Keys keys(k, kKeyDown);
  keys.push_back(kKeyEnter);
  return keys;
}

Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(UseItemTest, UsesUpWhatIsUsedOnTheMembersItNames) {
  struct Case {
    const char* what;
    Party party;
    Keys keys;
    int result;
    Party after;
    Inventory inventory;
  };
  const Case cases[] = {
      {"battle only", kTwo, {e, kWait, x}, 0, kTwo, kBag},
      {"a restorative twice, the second at full hp", {{50, 20, 10}, {100, 5, 10}}, Pick(1) + Keys{e, r, e, r},
       0, {{90, 20, 10}, {100, 5, 10}}, Counted(2, 1)},
      {"no wrap to the last member", kTwo, Pick(1) + Keys{l, e}, 0, {{90, 20, 10}, {60, 5, 10}}, Counted(2, 2)},
      {"every member, once", kTwo, Pick(2) + Keys{r, e}, 0, {{80, 20, 10}, {90, 5, 10}}, Counted(3, 1)},
      {"a revive, without effect", kTwo, Pick(3) + Keys{e}, 0, kTwo, Without(4)},
      {"a lasting gain", kTwo, Pick(4) + Keys{e}, 0, {{50, 20, 12}, {60, 5, 10}}, Without(5)},
      {"the counter ends at 0", kTwo, Pick(1) + Keys{e, e, e, e}, 0, {{100, 20, 10}, {60, 5, 10}}, Without(2)},
      {"nobody to use it on", {}, Pick(1) + Keys{e}, 0, {}, kBag},
      {"an event item with its event", kTwo, Pick(7), 1, kTwo, kBag},
      {"a key item", kTwo, Pick(8), 1, kTwo, kBag},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int result = Visit(c.party, kBag, UseItemMenu, c.keys);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(PartyNow(c.party.size()), c.after);
    EXPECT_EQ(Inventory(game.inventory, game.inventory + game.invCount), c.inventory);
    EXPECT_EQ(TestEventFlag(7), std::string(c.what) == "an event item with its event");
    EXPECT_EQ(game.menuScript, std::string(c.what) == "a key item" ? 1 : 0);
  }
}

// The entry used up goes, the last takes its place: the flag set is still
// the used item's, and a second item in the same screen is not used.
TEST(UseItemTest, SetsTheUsedItemsFlagAfterItsEntryWent) {
  Visit(kTwo, kBag, UseItemMenu, Pick(6) + Keys{e, e});
  EXPECT_TRUE(TestEventFlag(101));
  EXPECT_FALSE(TestEventFlag(100));
  EXPECT_EQ(Inventory(game.inventory, game.inventory + game.invCount), Without(7));
  EXPECT_EQ(game.party[1].stats.mp, 30);
}

TEST(UseItemTest, AnEventItemWhereTheMapHasNoEventIsNotUsed) {
  const int result = Visit(kTwo, kBag, [] {
    game.scriptNo = 2;
    LoadScript();
    return int(UseItemOn({13, 1, 1}));
  }, {kWait});
  EXPECT_EQ(result, 0);
  EXPECT_EQ(game.invCount, kBag.size());
}

TEST(CastMagicTest, HealsTheTargetsAndChargesTheCasterOnce) {
  struct Case {
    const char* what;
    Party party;
    Keys keys;
    Party after;
  };
  const Case cases[] = {
      {"a battle magic", kTwo, {e, kWait, x}, kTwo},
      {"one target", kTwo, {d, e, r, e, x}, {{50, 15, 10}, {90, 5, 10}}},
      {"round to the last", kTwo, {d, e, l, e, x}, {{50, 15, 10}, {90, 5, 10}}},
      {"every member, one cost", kTwo, {d, d, e, e, x}, {{70, 11, 10}, {80, 5, 10}}},
      {"Esc costs nothing", kTwo, {d, e, x, x}, kTwo},
      {"too little mp", {{50, 4, 10}, {60, 5, 10}}, {d, e, kWait, x}, {{50, 4, 10}, {60, 5, 10}}},
      {"alone: no target to go round to", {{50, 20, 10}}, {d, e, r, e, x}, {{80, 15, 10}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Visit(c.party, {}, [] { CastMagicMenu(1); return 0; }, c.keys);
    EXPECT_EQ(PartyNow(c.party.size()), c.after);
  }
}

TEST(SystemMenuTest, BranchesCloseOrComeBackToTheMenu) {
  struct Case {
    const char* what;
    Party party;
    Keys keys;
    uint8_t runStatus;
    Party after;
  };
  const Keys system = {u, e};
  const Case cases[] = {
      {"Esc", kTwo, {x}, 0, kTwo},
      {"back to the title", kTwo, system + Keys{u, e}, kBackToTitle, kTwo},
      {"no saving here", kTwo, system + Keys{d, e, kWait}, 0, kTwo},
      {"the load screen, then closed", kTwo, system + Keys{e, x}, 0, kTwo},
      {"magic: the second member casts", kTwo, {d, e, d, e, d, e, e, x, x}, 0, {{80, 20, 10}, {60, 0, 10}}},
      {"magic: Esc in the names", kTwo, {d, e, x, x}, 0, kTwo},
      {"magic alone: straight to the list", {{50, 20, 10}}, {d, e, d, e, e, x, x}, 0, {{80, 15, 10}}},
      {"magic without a member", {}, {d, e, x}, 0, {}},
      {"items: nothing to use", kTwo, {d, d, e, e}, 0, kTwo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int result = Visit(c.party, {}, [] { SystemMenu(); return int(game.runStatus); }, c.keys);
    EXPECT_EQ(result, c.runStatus);
    EXPECT_EQ(PartyNow(c.party.size()), c.after);
  }
}

TEST(SystemMenuTest, MusicOnPlaysTheTrackAgainAndOffStopsIt) {
  struct Case {
    uint8_t choice, loops;
    std::vector<SoundHookCall> calls;
    uint8_t soundOn, loopsAfter;
  };
  const Case cases[] = {{0, 255, {{SoundHook::kPlayMusic, 4}}, 1, 255},
                        {0, 3, {{SoundHook::kPlayMusic, 4}}, 1, 2},
                        {0, 0, {}, 1, 0},
                        {1, 3, {{SoundHook::kStopMusic, 0}}, 0, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "choice " << int(c.choice) << ", loops " << int(c.loops));
    std::vector<SoundHookCall> calls;
    const Keys keys = Keys{u, e, d, d, e} + (c.choice ? Keys{d, e} : Keys{e});
    Visit(kTwo, {}, [&] {
      game.musicTrack = 4, game.musicLoops = c.loops, game.soundOn = 1 - c.choice;
      game.musicReplayFlag = 1;
      ClearSoundHookCalls();
      SystemMenu();
      calls.assign(SoundHookCalls().begin(), SoundHookCalls().end());
      return 0;
    }, keys);
    ASSERT_EQ(calls.size(), c.calls.size());
    for (size_t i = 0; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].hook, c.calls[i].hook);
      EXPECT_EQ(calls[i].track, c.calls[i].track);
    }
    EXPECT_EQ(game.soundOn, c.soundOn);
    EXPECT_EQ(game.musicLoops, c.loopsAfter);
  }
}

// Esc on the map: a key item chosen closes the menu and its script runs.
TEST(SystemMenuTest, AKeyItemRunsItsScriptAfterTheMenu) {
  Visit(kTwo, kBag, [] {
    uint32_t key = kKeyEscape;
    return HandleKey(&key);
  }, Keys{d, d, e, e} + Pick(8));
  EXPECT_TRUE(TestEventFlag(6));
  EXPECT_EQ(game.invCount, kBag.size());
}

TEST(SystemMenuTest, Goldens) {
  auto golden = [](const char* name) {
    return [=] { EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, std::string("rpg/") + name)); };
  };
  auto menu = [] { game.money = 12345; SystemMenu(); return 0; };
  Visit(kTwo, {}, menu, {}, golden("system_menu"));
  Visit(kTwo, {}, menu, {u, e}, golden("system_menu_system"));
  Visit(kTwo, {}, menu, {u, e, d, e, kTick}, golden("system_menu_no_save"));
  Visit(kTwo, {}, menu, {u, e, d, d, e}, golden("system_menu_music"));
  Visit(kTwo, {}, menu, {d, e}, golden("system_menu_names"));
  Visit(kTwo, {}, menu, {d, d, e}, golden("system_menu_items"));
  Visit(kTwo, {}, [] { CastMagicMenu(1); return 0; }, {d, d, e, r}, golden("magic_target"));
  Visit(kTwo, kBag, UseItemMenu, Pick(1) + Keys{r}, golden("item_use"));
}

}  // namespace
