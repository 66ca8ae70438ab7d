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

#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/party/compare_equip.h"
#include "rpg/party/equip_from_items.h"
#include "rpg/party/equip_screen.h"
#include "rpg/party/event_flags.h"
#include "rpg/party/status_page.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/support/golden.h"

static bool operator==(const InvEntry& a, const InvEntry& b) {
  return a.kind == b.kind && a.id == b.id && a.count == b.count;
}

namespace {

using rpgtest::ArtOf;
using rpgtest::GameRun;
using rpgtest::TestLibrary;
using Inventory = std::vector<InvEntry>;
using Keys = std::vector<uint32_t>;
using Art = std::vector<std::string>;
using Worn = std::array<uint8_t, 8>;  // head, body, cape, bracer, hand-held, footwear, ornaments

// Not a key: lets a 100-tick message run out.
constexpr uint32_t kWait = 0;
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
  GameRun run(
      [&] {
        for (std::size_t i = 0; i < before.members.size(); ++i) {
          PartySlot& p = game.party[i];
          p.header.id = before.members[i].id;
          std::snprintf(p.name, sizeof p.name, "M%d", int(before.members[i].id));
          std::copy(before.members[i].worn.begin(), before.members[i].worn.end(), p.equipment.place);
          p.stats = before.members[i].stats;
        }
        for (const InvEntry& e : before.inventory) game.inventory[game.invCount++] = e;
        if (before.capFlag) SetEventFlag(kCapFlag);
        screen();
        after.inventory = Inventory(game.inventory, game.inventory + game.invCount);
        std::copy(game.party[0].equipment.place, game.party[0].equipment.place + 8, after.worn.begin());
        after.stats = game.party[0].stats;
        after.capFlag = TestEventFlag(kCapFlag);
        for (uint8_t byte : game.eventFlags) after.flagsSet += std::popcount(byte);
      },
      TestLibrary("party"));
  for (uint32_t key : keys) key == kWait ? run.Advance(1500) : run.Key(key);
  if (look) look();
  for (int i = 0; i < 3 && !run.Finished(); ++i) run.Key(kKeyEscape);
  EXPECT_TRUE(run.Finished());
  return after;
}

Inventory FullInventory(InvEntry last) {
  Inventory full(200, {12, 1, 1});
  for (int i = 0; i < 199; ++i) full[i].id = uint8_t(i + 1);
  full[199] = last;
  return full;
}

TEST(EquipAtPlaceTest, WearersExchangeAndRefusalsThatChangeNothing) {
  const Keys enter2 = {kKeyEnter, kKeyEnter}, refused = {kKeyEnter, kWait};
  const Worn helmet = {2, 0, 0, 0, 0, 0, 0, 0}, cap = {1, 0, 0, 0, 0, 0, 0, 0};
  const Worn knife = {0, 0, 0, 0, 2, 0, 0, 0}, sword = {0, 0, 0, 0, 1, 0, 0, 0};
  struct Case {
    const char* what;
    uint8_t id;
    Worn worn;
    Inventory inventory;
    int place;
    Keys keys;
    Worn wornAfter;
    Inventory inventoryAfter;
    bool capFlag;
  };
  const Case cases[] = {
      {"cap put on", 1, {}, {{9, 1, 2}, {1, 1, 1}}, 7, enter2, cap, {{9, 1, 2}}, true},
      {"helmet for the cap", 1, helmet, {{1, 1, 2}}, 7, enter2, cap, {{1, 1, 1}, {1, 2, 1}}, true},
      {"cap taken off", 1, cap, {{1, 2, 1}}, 7, enter2, helmet, {{1, 1, 1}}, false},
      {"the cap, not the last entry, flagged", 1, {}, {{1, 1, 1}, {9, 1, 1}, {1, 2, 4}}, 7, enter2, cap,
       {{1, 2, 4}, {9, 1, 1}}, true},
      {"the helmet after the cap, which moved", 1, cap, {{1, 2, 1}, {9, 1, 1}, {2, 1, 1}}, 7, enter2, helmet,
       {{2, 1, 1}, {9, 1, 1}, {1, 1, 1}}, false},
      {"character 2 may not wear the sword", 2, {}, {{7, 1, 1}}, 4, refused, {}, {{7, 1, 1}}, false},
      {"character 9 wears nothing", 9, {}, {{7, 2, 1}}, 4, refused, {}, {{7, 2, 1}}, false},
      {"character 200 wears nothing", 200, {}, {{7, 2, 1}}, 4, refused, {}, {{7, 2, 1}}, false},
      {"character 8's stick", 8, {}, {{7, 3, 1}}, 4, enter2, {0, 0, 0, 0, 3, 0, 0, 0}, {}, false},
      {"the same knife", 1, knife, {{7, 2, 1}}, 4, {kKeyEnter}, knife, {{7, 2, 1}}, false},
      {"the comparison refused", 1, knife, {{7, 1, 1}}, 4, {kKeyEnter, kKeyUp, kKeyEnter}, knife, {{7, 1, 1}},
       false},
      {"the comparison left", 1, {}, {{7, 1, 1}}, 4, {kKeyEnter, kKeyEscape}, {}, {{7, 1, 1}}, false},
      {"the list left", 1, {}, {{7, 1, 1}}, 4, {kKeyEscape}, {}, {{7, 1, 1}}, false},
      {"the sword's flag lies past the last", 1, knife, {{7, 1, 1}}, 4, enter2, sword, {{7, 2, 1}}, false},
      {"nothing to list", 1, {}, {}, 4, {}, {}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const State after = Play({{{c.id, c.worn}}, c.inventory, {}, {}, c.worn == cap},
                            [&] { EquipAtPlace(0, c.place); }, c.keys);
    EXPECT_EQ(after.worn, c.wornAfter);
    EXPECT_EQ(after.inventory, c.inventoryAfter);
    EXPECT_EQ(after.capFlag, c.capFlag);
    EXPECT_EQ(after.flagsSet, c.capFlag ? 1 : 0);
  }
}

TEST(EquipAtPlaceTest, WhatIsTakenOffMustFitBackOrNothingChanges) {
  const Worn helmet = {2, 0, 0, 0, 0, 0, 0, 0}, cap = {1, 0, 0, 0, 0, 0, 0, 0};
  struct Case {
    const char* what;
    Inventory inventory;
    bool changed;
  };
  Inventory freed = FullInventory({1, 1, 1}), freedAfter = FullInventory({1, 2, 1});
  Inventory moreHeld = {{1, 1, 1}, {1, 2, 98}};
  const Case cases[] = {
      {"200 entries, two caps", FullInventory({1, 1, 2}), false},
      {"99 helmets held", {{1, 1, 1}, {1, 2, 99}}, false},
      {"200 entries, the only cap frees one", freed, true},
      {"98 helmets held", moreHeld, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Keys keys = {kKeyEnter, kKeyEnter, kWait};
    const State after = Play({{{1, helmet}}, c.inventory}, [] { EquipAtPlace(0, 7); }, keys);
    EXPECT_EQ(after.worn, c.changed ? cap : helmet);
    EXPECT_EQ(after.stats.defence, c.changed ? 10 - 5 + 2 : 10);
    EXPECT_EQ(after.capFlag, c.changed);
    if (!c.changed) {
      EXPECT_EQ(after.inventory, c.inventory);
    }
  }
  EXPECT_EQ(Play({{{1, helmet}}, freed}, [] { EquipAtPlace(0, 7); }, {kKeyEnter, kKeyEnter}).inventory,
            freedAfter);
  EXPECT_EQ(Play({{{1, helmet}}, moreHeld}, [] { EquipAtPlace(0, 7); }, {kKeyEnter, kKeyEnter}).inventory,
            (Inventory{{1, 2, 99}}));
}

// Accepted comparisons against numbers worked out by hand from the
// library's effect blocks.
TEST(CompareEquipTest, StoresTheCandidatesNumbers) {
  auto with = [](std::function<void(CharStats&)> change) {
    CharStats s = Base();
    change(s);
    return s;
  };
  struct Case {
    const char* what;
    Member member;
    int place;
    InvEntry candidate;
    CharStats after;
  };
  const Case cases[] = {
      {"cap on bare head", {}, 7, {1, 1, 1}, with([](CharStats& s) { s.defence = 12, s.immunity = 0x08; })},
      {"cap for a helmet, a robe worn",
       {1, {2, 1, 0, 0, 0, 0, 0, 0}, with([](CharStats& s) { s.defence = 19, s.immunity = 0x03; })},
       7,
       {1, 1, 1},
       with([](CharStats& s) { s.defence = 16, s.immunity = 0x0A; })},
      {"sword in hand", {}, 4, {7, 1, 1},
       with([](CharStats& s) { s.attack = 28, s.weaponFlags = 0x11, s.weaponPower = 3; })},
      {"bracer: attack minus 2, weapon power kept",
       {1, {}, with([](CharStats& s) { s.weaponPower = 2; })},
       2,
       {5, 1, 1},
       with([](CharStats& s) { s.defence = 11, s.attack = 18, s.weaponPower = 2; })},
      {"jade ring", {}, 1, {6, 1, 1},
       with([](CharStats& s) { s.hpRegen = 5, s.mpRegen = 2, s.attackMagic = 1; })},
      {"copper ring for the jade one",
       {1, {0, 0, 0, 0, 0, 0, 0, 1}, with([](CharStats& s) { s.hpRegen = 5, s.mpRegen = 2, s.attackMagic = 1; })},
       1,
       {6, 2, 1},
       with([](CharStats& s) { s.spirit = 8, s.luck = 9; })},
      {"cape", {2}, 6, {4, 1, 1}, with([](CharStats& s) { s.maxHp = 110, s.immunity = 0x04; })},
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
  Member m{1, {2, 0, 0, 0, 0, 0, 0, 0}, Base()};
  m.stats.defence = 1;
  CharStats candidate = m.stats;
  candidate.defence = 2, candidate.immunity = 0x08;
  auto page = [] { return ArtOf(nullptr, 37, 0, 122, 96); };
  auto expectPage = [](const CharStats& s) {
    Art art;
    GameRun run([&] { StatusPage(s, 0); art = ArtOf(nullptr, 37, 0, 122, 96); });
    return art;
  };
  const InvEntry cap = {1, 1, 1};
  Art first, worn, back;
  Play({{m}}, [&] { CompareEquip(0, 7, cap); }, {}, [&] { first = page(); });
  Play({{m}}, [&] { CompareEquip(0, 7, cap); }, {kKeyUp}, [&] { worn = page(); });
  Play({{m}}, [&] { CompareEquip(0, 7, cap); }, {kKeyUp, kKeyDown}, [&] { back = page(); });
  EXPECT_EQ(first, expectPage(candidate));
  EXPECT_EQ(worn, expectPage(m.stats));
  EXPECT_EQ(back, first);
  const State stored = Play({{m}}, [&] { CompareEquip(0, 7, cap); }, {kKeyUp, kKeyDown, kKeyUp, kKeyDown, kKeyEnter});
  EXPECT_EQ(std::memcmp(&stored.stats, &candidate, sizeof(CharStats)), 0);
}

TEST(CompareEquipTest, GoldensOfBothViews) {
  const Member m{1, {2, 0, 0, 0, 0, 0, 0, 0}, Base()};
  auto golden = [](const char* name) {
    return [=] { EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, std::string("rpg/") + name)); };
  };
  Play({{m}}, [&] { CompareEquip(0, 7, {1, 1, 1}); }, {}, golden("compare_equip_candidate"));
  Play({{m}}, [&] { CompareEquip(0, 7, {1, 1, 1}); }, {kKeyUp}, golden("compare_equip_worn"));
}

TEST(EquipFromItemsTest, PlacesWearersAndRefusals) {
  const Worn jadeSecond = {0, 0, 0, 0, 0, 0, 0, 1}, bothRings = {0, 0, 0, 0, 0, 0, 1, 2};
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
       {0, 0, 0, 0, 0, 0, 1, 2}, {{6, 1, 1}}},  // the jade ring is worn at the first place already
      {"already worn", {{1, jadeSecond}}, {{6, 1, 1}}, {kKeyEnter, kWait}, jadeSecond, {{6, 1, 1}}},
      {"nobody may", {{2}}, {{7, 1, 1}}, {kKeyEnter, kWait}, {}, {{7, 1, 1}}},
      {"the only one who may", {{2}, {1}}, {{7, 1, 1}}, {kKeyEnter, kKeyEnter}, {}, {}},
      {"two may: the second chosen", {{1}, {2}}, {{1, 2, 1}}, {kKeyEnter, kKeyDown, kKeyEnter, kKeyEnter}, {}, {}},
      {"two may: the first", {{1}, {2}}, {{1, 2, 1}}, {kKeyEnter, kKeyEnter, kKeyEnter},
       {2, 0, 0, 0, 0, 0, 0, 0}, {}},
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
  const Member m{1, {1, 1, 1, 1, 1, 1, 1, 2}, Base()};
  const Member other{2, {0, 1, 1, 0, 0, 0, 0, 0}, Base()};
  auto golden = [](const char* name) {
    return [=] { EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, std::string("rpg/") + name)); };
  };
  Play({{m, other}}, EquipScreen, {}, golden("equip_screen"));
  Play({{m, other}}, EquipScreen, {kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter, kKeyPageDown},
      golden("equip_screen_item"));
  // Left at the first member and Up at the first place stay; Right to the
  // second member, whose picture and name show.
  Art moved, stayed, first;
  Play({{m, other}}, EquipScreen, {}, [&] { first = ArtOf(nullptr, 0, 0, 160, 96); });
  Play({{m, other}}, EquipScreen, {kKeyLeft, kKeyUp}, [&] { stayed = ArtOf(nullptr, 0, 0, 160, 96); });
  Play({{m, other}}, EquipScreen, {kKeyRight, kKeyRight}, [&] { moved = ArtOf(nullptr, 0, 0, 160, 96); });
  EXPECT_EQ(stayed, first);
  EXPECT_NE(moved, first);
  // Enter on the worn sword, Enter again: the list of hand-held items, the
  // knife chosen and accepted, the sword back in the inventory.
  const State after =
      Play({{m}, {{7, 2, 1}}}, EquipScreen, {kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter, kKeyEnter,
                                            kKeyEnter, kKeyEnter});
  EXPECT_EQ(after.worn[4], 2);
  EXPECT_EQ(after.inventory, (Inventory{{7, 1, 1}}));
}

TEST(EquipScreenTest, AMissingRecordEndsTheScreen) {
  int status = -1;
  Play({{{1, {9, 0, 0, 0, 0, 0, 0, 0}}}}, [&] {
    EquipScreen();
    status = game.runStatus;
  }, {kKeyEnter});
  EXPECT_NE(status, 0);
  // No member: nothing at all.
  const State none = Play({}, EquipScreen, {});
  EXPECT_EQ(none.inventory, Inventory{});
}

}  // namespace
