// The status page's two tables and the status screen around it: members,
// pages and where the arrows lead; the member name list.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/member_names.h"
#include "rpg/party/status_page.h"
#include "rpg/party/status_screen.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/support/golden.h"

namespace {

using rpgtest::ArtOf;
using rpgtest::GameRun;
using rpgtest::TestLibrary;
using Art = std::vector<std::string>;

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
    EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, std::string("rpg/") + c.name));
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
    if (c.member == 1) {
      EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/status_screen"));
    }
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
