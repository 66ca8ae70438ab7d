// The system menu and the screens it opens: items and magic used (what is
// used up, on whom, what a cast costs) and the menu's branches around them;
// the status page's two tables and the status screen around it (members,
// pages and where the arrows lead); the member name list.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/hero_move.h"
#include "rpg/engine/input.h"
#include "rpg/engine/script.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/event_flags.h"
#include "rpg/party/item_use.h"
#include "rpg/party/magic_use.h"
#include "rpg/party/member_names.h"
#include "rpg/party/status_page.h"
#include "rpg/party/status_screen.h"
#include "rpg/party/system_menu.h"
#include "tests/rpg/party/screen_drive.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/host_screen.h"

namespace {

using namespace partytest;

constexpr uint32_t d = kKeyDown, u = kKeyUp, l = kKeyLeft, r = kKeyRight, e = kKeyEnter,
                   x = kKeyEscape;
// Members in slots 1 and 2 (slot 0, the leader's, empty) with hp, mp and
// attack, of at most 100 hp and 40 mp; each knows a battle magic and three
// healing ones.
using Party = std::vector<std::array<uint16_t, 3>>;
const Party kTwo = {{50, 20, 10}, {60, 5, 10}};

void SetParty(const Party& party) {
  const MagicEntry magics[] = {{1, 1}, {3, 6}, {3, 7}, {3, 1}};
  for (size_t i = 0; i < party.size(); ++i) {
    PartySlot& s = game.party[i + 1];
    s.header.id = uint8_t(i + 1);
    std::strcpy(s.name, i ? "小白" : "阿青");
    s.stats.level = 3, s.stats.maxHp = 100, s.stats.maxMp = 40;
    s.stats.hp = party[i][0], s.stats.mp = party[i][1], s.stats.attack = party[i][2];
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

// Runs `screen` with `party` and `inventory` set and the test scripts
// current, presses `keys`, lets `look` look, then Esc while it still runs;
// what `screen` returned.
int Visit(const Party& party, const Inventory& inventory, const std::function<int()>& screen,
          const Keys& keys, const std::function<void()>& look = {}) {
  int result = -1;
  Drive([&] {
    SetParty(party);
    Stock(inventory);
    game.scriptBank = 1, game.scriptNo = 1;
    LoadScript();
    result = screen();
  }, rpgtest::WithScripts(rpgtest::TestLibrary("shop"), {{1, 1, ".event 255, lit\nEnd\nlit: SetFlag 7\nEnd\n"},
                                                         {1, 2, "End\n"},
                                                         {255, 1, "SetFlag 6\nEnd\n"}}),
        keys, look, 101000, 4);  // a message of up to 200 ticks runs out
  return result;
}

// A sword first (not listed), then the usable kinds; list entry k is
// inventory entry k + 1.
const Inventory kBag = {{7, 1, 1},  {8, 1, 1}, {9, 1, 3},  {9, 4, 2}, {10, 1, 1},
                        {11, 1, 1}, {12, 1, 1}, {9, 5, 1}, {13, 1, 1}, {14, 1, 1}};

// kBag with entry `at` down to `count`; at 0 the last entry takes its place.
Inventory Bag(size_t at, uint8_t count) {
  Inventory bag = kBag;
  bag[at].count = count;
  if (count == 0) bag[at] = bag.back(), bag.pop_back();
  return bag;
}

// Down to list entry k, and Enter.
Keys Pick(int k) {
  Keys keys(k, kKeyDown);
  keys.push_back(kKeyEnter);
  return keys;
}

// A screen's case: the party and the keys, then what the screen returns,
// the party, the inventory and the one event flag set afterwards.
struct Case {
  const char* what;
  Party party;
  Keys keys;
  int result;
  Party after;
  Inventory inventory = {};
  uint16_t flag = 0;
};

// Visits `screen` with the case's party and `bag`; checks what it left.
void Check(const Case& c, const Inventory& bag, const std::function<int()>& screen) {
  SCOPED_TRACE(c.what);
  EXPECT_EQ(Visit(c.party, bag, screen, c.keys), c.result);
  EXPECT_EQ(PartyNow(c.party.size()), c.after);
  EXPECT_EQ(InventoryNow(), c.inventory);
  for (uint16_t flag : {7, 100, 101}) EXPECT_EQ(TestEventFlag(flag), flag == c.flag) << flag;
}

TEST(UseItemTest, UsesUpWhatIsUsedOnTheMembersItNames) {
  const Case cases[] = {
      {"battle only", kTwo, {e, kWait, x}, 0, kTwo, kBag},
      {"a restorative twice, the second at full hp", {{50, 20, 10}, {100, 5, 10}}, Pick(1) + Keys{e, r, e, r},
       0, {{90, 20, 10}, {100, 5, 10}}, Bag(2, 1)},
      {"no wrap to the last member", kTwo, Pick(1) + Keys{l, e}, 0, {{90, 20, 10}, {60, 5, 10}}, Bag(2, 2)},
      {"every member, once", kTwo, Pick(2) + Keys{r, e}, 0, {{80, 20, 10}, {90, 5, 10}}, Bag(3, 1)},
      {"a revive, without effect", kTwo, Pick(3) + Keys{e}, 0, kTwo, Bag(4, 0)},
      {"a lasting gain", kTwo, Pick(4) + Keys{e}, 0, {{50, 20, 12}, {60, 5, 10}}, Bag(5, 0)},
      {"the counter ends at 0", kTwo, Pick(1) + Keys{e, e, e, e}, 0, {{100, 20, 10}, {60, 5, 10}}, Bag(2, 0)},
      {"nobody to use it on", {}, Pick(1) + Keys{e}, 0, {}, kBag},
      // The entry used up goes and the last takes its place: the flag set
      // is still the used item's.
      {"a flagged item", kTwo, Pick(6) + Keys{e}, 0, {{50, 30, 10}, {60, 5, 10}}, Bag(7, 0), 101},
      {"an event item with its event", kTwo, Pick(7), 1, kTwo, kBag, 7},
      {"a key item", kTwo, Pick(8), 1, kTwo, kBag},
  };
  for (const Case& c : cases) Check(c, kBag, UseItemMenu);
}

// Where the map has no event 255 the event item says so (the message box's
// top line), and the menu stays.
TEST(UseItemTest, AnEventItemWithoutItsEventSaysSo) {
  const int result = Visit(kTwo, {}, [] {
    game.scriptNo = 2;
    LoadScript();
    return int(UseItemOn({13, 1, 1}));
  }, {kTick}, [] { EXPECT_EQ(GetPixelColor(100, 64, nullptr), testsupport::kBlack); });
  EXPECT_EQ(result, 0);
}

// The menu's branches; magic: who casts, on whom, and what it costs.
TEST(SystemMenuTest, BranchesCloseOrComeBackToTheMenu) {
  const Keys system = {u, e}, magic = {d, e, e};
  const Party healed = {{50, 15, 10}, {90, 5, 10}};
  const Case cases[] = {
      {"Esc", kTwo, {x}, 0, kTwo},
      {"back to the title", kTwo, system + Keys{u, e}, kBackToTitle, kTwo},
      {"no saving here", kTwo, system + Keys{d, e, kWait}, 0, kTwo},
      {"the load screen, then closed", kTwo, system + Keys{e, x}, 0, kTwo},
      {"a battle magic", kTwo, magic + Keys{e, kWait}, 0, kTwo},
      {"one target", kTwo, magic + Keys{d, e, r, e}, 0, healed},
      {"round to the last", kTwo, magic + Keys{d, e, l, e}, 0, healed},
      {"every member, one cost", kTwo, magic + Keys{d, d, e, e}, 0, {{70, 11, 10}, {80, 5, 10}}},
      {"Esc costs nothing", kTwo, magic + Keys{d, e, x}, 0, kTwo},
      {"too little mp", {{50, 4, 10}, {60, 5, 10}}, magic + Keys{d, e, kWait}, 0, {{50, 4, 10}, {60, 5, 10}}},
      {"the second member casts", kTwo, {d, e, d, e, d, e, e}, 0, {{80, 20, 10}, {60, 0, 10}}},
      {"Esc in the names", kTwo, {d, e, x, x}, 0, kTwo},
      {"alone: straight to the list, no one to go round to", {{50, 20, 10}}, {d, e, d, e, r, e}, 0, {{80, 15, 10}}},
      {"magic without a member", {}, {d, e, x}, 0, {}},
      {"items: nothing to use", kTwo, {d, d, e, e}, 0, kTwo},
  };
  for (const Case& c : cases) Check(c, {}, [] { SystemMenu(); return int(game.runStatus); });
}

// "装备" of the items puts the hat on the first member after the name list
// and the comparison.
TEST(SystemMenuTest, EquipmentFromTheItemsWearsIt) {
  Visit(kTwo, {{1, 1, 1}}, [] { SystemMenu(); return 0; }, {d, d, e, d, e, e, e, e});
  EXPECT_EQ(game.party[1].equipment.place[0], 1);
  EXPECT_EQ(game.invCount, 0);
}

TEST(SystemMenuTest, MusicOnPlaysTheTrackAgainAndOffStopsIt) {
  struct Case {
    bool off;
    uint8_t loops;
    std::string hooks;
    uint8_t loopsAfter;
  };
  const Case cases[] = {{false, 255, "play 4", 255}, {false, 3, "play 4", 2}, {false, 0, "", 0}, {true, 3, "stop", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hooks + ", loops " + std::to_string(c.loops));
    std::string hooks;
    Visit(kTwo, {}, [&] {
      game.musicTrack = 4, game.musicLoops = c.loops, game.soundOn = c.off, game.musicReplayFlag = 1;
      ClearSoundHookCalls();
      SystemMenu();
      for (const SoundHookCall& h : SoundHookCalls()) {
        hooks += h.hook == SoundHook::kPlayMusic ? "play " + std::to_string(h.track) : "stop";
      }
      return 0;
    }, Keys{u, e, d, d, e} + (c.off ? Keys{d, e} : Keys{e}));
    EXPECT_EQ(hooks, c.hooks);
    EXPECT_EQ(game.soundOn, !c.off);
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
  auto menu = [] { game.money = 12345; SystemMenu(); return 0; };
  Visit(kTwo, {}, menu, {}, ShowsGolden("system_menu"));
  Visit(kTwo, {}, menu, {e}, ShowsGolden("system_menu_attributes"));
  Visit(kTwo, {}, menu, {u, e}, ShowsGolden("system_menu_system"));
  Visit(kTwo, {}, menu, {u, e, d, e, kTick}, ShowsGolden("system_menu_no_save"));
  Visit(kTwo, {}, menu, {u, e, d, d, e}, ShowsGolden("system_menu_music"));
  Visit(kTwo, {}, menu, {d, e}, ShowsGolden("system_menu_names"));
  Visit(kTwo, {}, menu, {d, d, e}, ShowsGolden("system_menu_items"));
  Visit(kTwo, {}, [] { CastMagicMenu(1); return 0; }, {d, d, e, r}, ShowsGolden("magic_target"));
  Visit(kTwo, kBag, UseItemMenu, Pick(1) + Keys{r}, ShowsGolden("item_use"));
}

CharStats Hero() {
  CharStats s{};
  s.level = 7;
  s.immunity = 0x05;
  s.maxHp = 120, s.hp = 87, s.maxMp = 40, s.mp = 9;
  s.attack = 35, s.defence = 22, s.exp = 12345, s.nextExp = 20000;
  s.agility = 14, s.spirit = 9, s.luck = 3;
  return s;
}

// The area (x, y, w, h) of the screen after `draw` on a cleared screen.
Art Area(const std::function<void()>& draw, int x = 0, int y = 0, int w = 160, int h = 96) {
  GameRun run([&] { ClearScreen(), draw(), WaitKeyDown(); });
  const Art art = ArtOf(nullptr, x, y, w, h);
  run.Key(kKeyEscape);
  return art;
}

// Goldens of both pages, the odd one with experience of 1, 3 and 5 digits
// and no, four and two immunities.
TEST(StatusPageTest, Goldens) {
  struct Case {
    int page;
    uint16_t exp;
    uint8_t immunity;
    const char* name;
  };
  const Case cases[] = {{2, 12345, 0x05, "status_page_0"}, {3, 12345, 0x05, "status_page_1"},
                        {1, 5, 0x00, "status_page_1_none"}, {1, 123, 0x0F, "status_page_1_all"}};
  for (const Case& c : cases) {
    CharStats s = Hero();
    s.exp = c.exp, s.immunity = c.immunity;
    GameRun run([&] { ClearScreen(), StatusPage(s, c.page), WaitKeyDown(); });  // the parity counts
    ShowsGolden(c.name)();
    run.Key(kKeyEscape);
  }
}

TEST(StatusPageTest, LevelsFrom240AreMax) {
  const std::pair<int, const char*> cases[] = {{239, "239"}, {240, "MAX"}, {241, "MAX"}, {243, "MAX"}};
  for (const auto& [level, shown] : cases) {
    SCOPED_TRACE(level);
    CharStats s = Hero();
    s.level = uint8_t(level);
    EXPECT_EQ(Area([&] { StatusPage(s, 0); }, 98, 5, 60, 16), Area([&] { DrawString(98, 5, shown); }, 98, 5, 60, 16));
  }
}

struct Member {
  uint8_t id;
  const char* name;
  CharStats stats;
};

// Puts the members into the slots given (the others free).
void Seat(const std::vector<std::pair<int, Member>>& seats) {
  for (const auto& [slot, m] : seats) {
    PartySlot& p = game.party[slot];
    p.header.id = m.id;
    std::strncpy(p.name, m.name, sizeof p.name - 1);
    p.stats = m.stats;
  }
}

// The member the pointer is on (-1 none) and the status page shown.
std::pair<int, Art> ShownNow() {
  int member = -1;
  for (int i = 0; i < 3; ++i) {
    if (GetPixelColor(1, int16_t(12 + 32 * i), nullptr) == testsupport::kBlack) member = i;
  }
  return {member, ArtOf(nullptr, 37, 0, 122, 96)};
}

TEST(StatusScreenTest, PagesByParityArrowsWrapOnlyWithTwoMembersNothingWithoutOne) {
  CharStats second = Hero();
  second.level = 243, second.hp = 11, second.exp = 7;
  const Member a{1, "甲", Hero()}, b{2, "乙", second};
  const std::vector<std::pair<int, Member>> two = {{0, a}, {2, b}}, one = {{1, b}}, none;
  struct Case {
    const std::vector<std::pair<int, Member>>& seats;
    std::vector<uint32_t> keys;
    int member, page;  // member -1: no screen at all
  };
  const uint32_t pu = kKeyPageUp, pd = kKeyPageDown;
  const Case cases[] = {
      {two, {}, 0, 0},         {two, {pd}, 0, 1},       {two, {pd, pu}, 0, 0},
      {two, {kKeyLeft}, 1, 0},  // from the first to the last
      {two, {pd, kKeyDown, kKeyRight}, 0, 1}, {two, {kKeyUp, kKeyUp}, 0, 0},
      {one, {kKeyLeft, kKeyRight, kKeyDown}, 0, 0},  // nowhere to go
      {none, {}, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.seats.size() << " members, " << c.keys.size() << " keys");
    const CharStats& stats = c.member == 1 || c.seats.size() == 1 ? b.stats : a.stats;
    const Art page = c.member < 0 ? Area([] {}, 37, 0, 122, 96) : Area([&] { StatusPage(stats, c.page); }, 37, 0, 122, 96);
    bool returned = false;
    GameRun run([&] { Seat(c.seats), ClearScreen(), StatusScreen(), returned = true, WaitKeyDown(); },
                TestLibrary("party"));
    for (uint32_t key : c.keys) run.Key(key);
    EXPECT_EQ(ShownNow(), std::make_pair(c.member, page));
    EXPECT_EQ(returned, c.member < 0);
    if (c.member == 1) ShowsGolden("status_screen")();
    run.Keys({kKeyEscape, kKeyEscape});
  }
}

TEST(MemberNamesTest, SlotOrderTenBytesAndNoSplitCharacter) {
  GameRun run([] {
    // 11 bytes of a letter and five characters, 11 bytes of two letters,
    // three characters and three letters, and a short name.
    Seat({{2, {3, "a一二三四五", {}}}, {0, {1, "ab\xB0\xA1\xB0\xA2\xB0\xA3xyz", {}}}, {1, {2, "Li", {}}}});
    EXPECT_EQ(MemberSlots(), (std::vector<uint8_t>{0, 1, 2}));
    const std::vector<uint8_t> names = PackedMemberNames(MemberSlots());
    const std::string packed(names.begin(), names.end());
    EXPECT_EQ(packed, std::string("ab\xB0\xA1\xB0\xA2\xB0\xA3xy") + "Li        " + "a一二三四 ");
    game.party[1].header.id = 0;
    EXPECT_EQ(MemberSlots(), (std::vector<uint8_t>{0, 2}));
  });
}

}  // namespace
