// Putting on equipment: who may wear what, the exchange with the inventory
// and the flags, the refusals that change nothing, the comparison's
// numbers, the equipment screen and the item menu's way in.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/compare_equip.h"
#include "rpg/party/equip_from_items.h"
#include "rpg/party/equip_screen.h"
#include "rpg/party/event_flags.h"
#include "tests/rpg/party/screen_drive.h"

namespace {

using namespace partytest;
using Worn = std::array<uint8_t, 8>;  // head, body, cape, bracer, hand-held, footwear, ornaments

constexpr uint16_t kCapFlag = 2000;  // the cap (1, 1) sets it while worn

CharStats Base() {
  CharStats s{};
  s.level = 5;
  s.maxHp = 100, s.hp = 80, s.maxMp = 30, s.mp = 20;
  s.attack = 20, s.defence = 10, s.agility = 10, s.spirit = 5, s.luck = 4;
  return s;
}

struct Member {
  uint8_t id = 1;
  Worn worn{};
  CharStats stats = Base();
};

struct State {
  std::vector<Member> members = {};
  Inventory inventory = {};
  Worn worn{};  // the first member's, afterwards
  CharStats stats{};
  bool capFlag = false;
  int flagsSet = 0;
};

// Seats the members in slots 0, 1, ..., fills the inventory, runs `screen`
// with `keys`, and Esc while it still runs; what it left behind.
State Play(const State& before, const std::function<void()>& screen, const Keys& keys,
          const std::function<void()>& look = {}) {
  State after;
  Drive([&] {
    for (std::size_t i = 0; i < before.members.size(); ++i) {
      PartySlot& p = game.party[i];
      p.header.id = before.members[i].id;
      std::snprintf(p.name, sizeof p.name, "M%d", int(before.members[i].id));
      std::copy(before.members[i].worn.begin(), before.members[i].worn.end(), p.equipment.place);
      p.stats = before.members[i].stats;
    }
    Stock(before.inventory);
    if (before.capFlag) SetEventFlag(kCapFlag);
    screen();
    after.inventory = InventoryNow();
    std::copy(game.party[0].equipment.place, game.party[0].equipment.place + 8, after.worn.begin());
    after.stats = game.party[0].stats;
    after.capFlag = TestEventFlag(kCapFlag);
    for (uint8_t byte : game.eventFlags) after.flagsSet += std::popcount(byte);
  }, TestLibrary("party"), keys, look, 1500, 3);
  return after;
}

// The exchange and its refusals; what is taken off must fit back into the
// inventory, or nothing changes.
TEST(EquipAtPlaceTest, WearersExchangeAndRefusalsThatChangeNothing) {
  const Keys yes = {kKeyEnter, kKeyEnter, kWait}, no = {kKeyEnter, kWait};
  const Worn helmet = {2}, cap = {1}, knife = {0, 0, 0, 0, 2}, sword = {0, 0, 0, 0, 1};
  const Inventory full = FullInventory({1, 1, 2}), freed = FullInventory({1, 1, 1});
  struct Case {
    const char* what;
    uint8_t id;
    Worn worn;
    Inventory inventory;
    int place;
    Keys keys;
    Worn wornAfter;
    Inventory inventoryAfter;
  };
  const Case cases[] = {
      {"cap put on", 1, {}, {{9, 1, 2}, {1, 1, 1}}, 7, yes, cap, {{9, 1, 2}}},
      {"helmet for the cap", 1, helmet, {{1, 1, 2}}, 7, yes, cap, {{1, 1, 1}, {1, 2, 1}}},
      {"cap taken off", 1, cap, {{1, 2, 1}}, 7, yes, helmet, {{1, 1, 1}}},
      {"the cap, not the last entry", 1, {}, {{1, 1, 1}, {9, 1, 1}, {1, 2, 4}}, 7, yes, cap, {{1, 2, 4}, {9, 1, 1}}},
      {"the helmet, not the last", 1, cap, {{1, 2, 1}, {9, 1, 1}, {2, 1, 1}}, 7, yes, helmet,
       {{2, 1, 1}, {9, 1, 1}, {1, 1, 1}}},
      {"200 entries, two caps", 1, helmet, full, 7, yes, helmet, full},
      {"99 helmets held", 1, helmet, {{1, 1, 1}, {1, 2, 99}}, 7, yes, helmet, {{1, 1, 1}, {1, 2, 99}}},
      {"200 entries, the only cap frees one", 1, helmet, freed, 7, yes, cap, FullInventory({1, 2, 1})},
      {"98 helmets held", 1, helmet, {{1, 1, 1}, {1, 2, 98}}, 7, yes, cap, {{1, 2, 99}}},
      {"character 2 may not wear the sword", 2, {}, {{7, 1, 1}}, 4, no, {}, {{7, 1, 1}}},
      {"character 9 wears nothing", 9, {}, {{7, 2, 1}}, 4, no, {}, {{7, 2, 1}}},
      {"character 200 wears nothing", 200, {}, {{7, 2, 1}}, 4, no, {}, {{7, 2, 1}}},
      {"character 8's stick", 8, {}, {{7, 3, 1}}, 4, yes, {0, 0, 0, 0, 3}, {}},
      {"the same knife", 1, knife, {{7, 2, 1}}, 4, {kKeyEnter}, knife, {{7, 2, 1}}},
      {"the comparison refused", 1, knife, {{7, 1, 1}}, 4, {kKeyEnter, kKeyUp, kKeyEnter}, knife, {{7, 1, 1}}},
      {"the comparison left", 1, {}, {{7, 1, 1}}, 4, {kKeyEnter, kKeyEscape}, {}, {{7, 1, 1}}},
      {"the sword's flag lies past the last", 1, knife, {{7, 1, 1}}, 4, yes, sword, {{7, 2, 1}}},
      {"nothing to list", 1, {}, {}, 4, {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const State after = Play({{{c.id, c.worn}}, c.inventory, {}, {}, c.worn == cap},
                             [&] { EquipAtPlace(0, c.place); }, c.keys);
    EXPECT_EQ(after.worn, c.wornAfter);
    EXPECT_EQ(after.inventory, c.inventoryAfter);
    EXPECT_EQ(after.capFlag, c.wornAfter == cap);
    EXPECT_EQ(after.flagsSet, c.wornAfter == cap ? 1 : 0);
  }
}

CharStats With(const std::function<void(CharStats&)>& change) {
  CharStats s = Base();
  change(s);
  return s;
}

// Accepted comparisons against numbers worked out by hand from the
// library's effect blocks.
TEST(CompareEquipTest, StoresTheCandidatesNumbers) {
  using S = CharStats&;
  const Member jade{1, {0, 0, 0, 0, 0, 0, 0, 1}, With([](S s) { s.hpRegen = 5, s.mpRegen = 2, s.attackMagic = 1; })};
  struct Case {
    const char* what;
    Member member;
    int place;
    InvEntry candidate;
    CharStats after;
  };
  const Case cases[] = {
      {"cap on bare head", {}, 7, {1, 1, 1}, With([](S s) { s.defence = 12, s.immunity = 0x08; })},
      {"cap for a helmet, a robe worn", {1, {2, 1}, With([](S s) { s.defence = 19, s.immunity = 0x03; })}, 7,
       {1, 1, 1}, With([](S s) { s.defence = 16, s.immunity = 0x0A; })},
      {"sword in hand", {}, 4, {7, 1, 1}, With([](S s) { s.attack = 28, s.weaponFlags = 0x11, s.weaponPower = 3; })},
      {"bracer: attack minus 2, weapon power kept", {1, {}, With([](S s) { s.weaponPower = 2; })}, 2, {5, 1, 1},
       With([](S s) { s.defence = 11, s.attack = 18, s.weaponPower = 2; })},
      {"jade ring", {}, 1, {6, 1, 1}, jade.stats},
      {"copper ring for the jade one", jade, 1, {6, 2, 1}, With([](S s) { s.spirit = 8, s.luck = 9; })},
      {"cape", {2}, 6, {4, 1, 1}, With([](S s) { s.maxHp = 110, s.immunity = 0x04; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int result = -1;
    const State after = Play({{c.member}}, [&] { result = CompareEquip(0, c.place, c.candidate); }, {kKeyEnter});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::memcmp(&after.stats, &c.after, sizeof(CharStats)), 0);
  }
}

// A member whose defence (1) is below what the worn helmet gives (5): the
// worn view shows the member as it is, and Up then Down neither moves the
// numbers nor what Enter stores.
TEST(CompareEquipTest, ViewsAreComputedAfreshEachTime) {
  const Member m{1, {2}, With([](CharStats& s) { s.defence = 1; })};
  const CharStats candidate = With([](CharStats& s) { s.defence = 2, s.immunity = 0x08; });
  const std::pair<Keys, const char*> views[] = {{{}, "compare_equip_candidate"},
                                                {{kKeyUp}, "compare_equip_worn"},
                                                {{kKeyUp, kKeyDown}, "compare_equip_candidate"}};
  for (const auto& [keys, golden] : views) {
    SCOPED_TRACE(keys.size());
    Play({{m}}, [&] { CompareEquip(0, 7, {1, 1, 1}); }, keys, ShowsGolden(golden));
  }
  const State stored = Play({{m}}, [&] { CompareEquip(0, 7, {1, 1, 1}); }, {kKeyUp, kKeyDown, kKeyUp, kKeyDown, kKeyEnter});
  EXPECT_EQ(std::memcmp(&stored.stats, &candidate, sizeof(CharStats)), 0);
}

TEST(EquipFromItemsTest, PlacesWearersAndRefusals) {
  const Worn jadeSecond = {0, 0, 0, 0, 0, 0, 0, 1}, bothRings = {0, 0, 0, 0, 0, 0, 2, 1};
  struct Case {
    const char* what;
    std::vector<Member> members;
    Inventory inventory;
    Keys keys;
    Worn worn;  // the first member's afterwards
    Inventory inventoryAfter;
  };
  const Case cases[] = {
      {"a ring to the empty second place", {{1}}, {{6, 1, 1}}, {kKeyEnter, kKeyEnter}, jadeSecond, {}},
      {"then to the first", {{1, jadeSecond}}, {{6, 2, 1}}, {kKeyEnter, kKeyEnter}, {0, 0, 0, 0, 0, 0, 2, 1}, {}},
      {"both taken: the first replaced", {{1, bothRings}}, {{6, 1, 1}}, {kKeyEnter, kKeyEnter},
       {0, 0, 0, 0, 0, 0, 1, 1}, {{6, 2, 1}}},
      {"already worn", {{1, jadeSecond}}, {{6, 1, 1}}, {kKeyEnter, kWait}, jadeSecond, {{6, 1, 1}}},
      {"nobody may", {{2}}, {{7, 1, 1}}, {kKeyEnter, kWait}, {}, {{7, 1, 1}}},
      {"the only one who may", {{2}, {1}}, {{7, 1, 1}}, {kKeyEnter, kKeyEnter}, {}, {}},
      {"two may: the second chosen", {{1}, {2}}, {{1, 2, 1}}, {kKeyEnter, kKeyDown, kKeyEnter, kKeyEnter}, {}, {}},
      {"two may: the first", {{1}, {2}}, {{1, 2, 1}}, {kKeyEnter, kKeyEnter, kKeyEnter}, {2}, {}},
      {"two may: neither", {{1}, {2}}, {{1, 2, 1}}, {kKeyEnter, kKeyEscape}, {}, {{1, 2, 1}}},
      {"not wearable", {{1}}, {{9, 1, 1}}, {}, {}, {{9, 1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const State after = Play({c.members, c.inventory}, EquipFromItems, c.keys);
    EXPECT_EQ(after.worn, c.worn);
    EXPECT_EQ(after.inventory, c.inventoryAfter);
  }
}

TEST(EquipScreenTest, AllPlacesWornAndTheWayToAChange) {
  const Member m{1, {1, 1, 1, 1, 1, 1, 1, 2}, Base()}, other{2, {0, 1, 1}, Base()};
  const Keys toSword = {kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter};
  Play({{m, other}}, EquipScreen, {}, ShowsGolden("equip_screen"));
  Play({{m, other}}, EquipScreen, {kKeyLeft, kKeyUp}, ShowsGolden("equip_screen"));  // no wrap
  Play({{m, other}}, EquipScreen, {kKeyRight, kKeyRight, kKeyDown}, ShowsGolden("equip_screen_second"));
  Play({{m, other}}, EquipScreen, toSword, ShowsGolden("equip_screen_item"));
  // Enter again on the worn sword: the hand-held items listed, the knife
  // chosen and accepted, the sword back in the inventory.
  const State after = Play({{m}, {{7, 2, 1}}}, EquipScreen, toSword + Keys{kKeyEnter, kKeyEnter, kKeyEnter});
  EXPECT_EQ(after.worn[4], 2);
  EXPECT_EQ(after.inventory, (Inventory{{7, 1, 1}}));
}

// A worn item whose record (head 9) or picture (the robe (2, 2)) is
// missing: its code at the top left, then the screen ends with the run error.
TEST(EquipScreenTest, AMissingRecordOrPictureShowsItsCodeAndEndsTheScreen) {
  const std::pair<Worn, uint32_t> cases[] = {{{9}, 0xEEE0}, {{0, 2}, 0xEEE1}};
  for (const auto& [worn, code] : cases) {
    SCOPED_TRACE(code);
    Art shown, expected;
    int status = -1;
    GameRun ref([&] { ClearScreen(), ShowHex(code), expected = ArtOf(nullptr, 0, 0, 64, 16); });
    Play({{{1, worn}}}, [&] { EquipScreen(), status = game.runStatus; }, {},
         [&] { shown = ArtOf(nullptr, 0, 0, 64, 16); });
    EXPECT_EQ(shown, expected);
    EXPECT_NE(status, 0);
  }
  EXPECT_EQ(Play({}, EquipScreen, {}).inventory, Inventory{});  // no member: nothing at all
}

}  // namespace
