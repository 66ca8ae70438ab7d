// The status page's two tables and the status screen around it: members,
// pages and where the arrows lead; the member name list.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/list_marks.h"
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
Art Area(const std::function<void()>& draw, int x, int y, int w, int h) {
  Art art;
  GameRun run([&] {
    ClearScreen();
    draw();
    WaitKeyDown();
  });
  art = ArtOf(nullptr, x, y, w, h);
  run.Key(kKeyEscape);
  return art;
}

TEST(StatusPageTest, GoldensOfBothPages) {
  for (int page : {0, 1}) {
    GameRun run([&] {
      ClearScreen();
      StatusPage(Hero(), page + 2);  // the parity counts
      WaitKeyDown();
    });
    EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/status_page_" + std::to_string(page)));
    run.Key(kKeyEscape);
  }
}

TEST(StatusPageTest, LevelsFrom240AreMax) {
  const std::pair<int, const char*> cases[] = {{239, "239"}, {240, "MAX"}, {241, "MAX"}, {243, "MAX"}};
  for (const auto& [level, shown] : cases) {
    SCOPED_TRACE(level);
    CharStats s = Hero();
    s.level = uint8_t(level);
    EXPECT_EQ(Area([&] { StatusPage(s, 0); }, 98, 5, 60, 16),
              Area([&] { DrawString(98, 5, shown); }, 98, 5, 60, 16));
  }
}

// The odd page's experience row and immunity row against the same texts
// drawn where they belong.
TEST(StatusPageTest, ExperienceAndImmunitiesStandWhereTheirWidthsPutThem) {
  struct Case {
    uint16_t exp, next;
    uint8_t immunity;
    int slashX, nextX;  // where "/" and nextExp go
    std::vector<std::pair<int, const char*>> marks;  // x and text of each immunity
  };
  const Case cases[] = {
      {5, 30, 0x00, 106, 115, {{98, "无"}}},
      {40000, 65535, 0x04, 122, 131, {{98, "乱"}}},
      {123, 450, 0x0F, 114, 123, {{84, "毒"}, {103, "乱"}, {122, "封"}, {141, "眠"}}},
      {99, 100, 0x09, 110, 119, {{98, "毒"}, {117, "眠"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "exp " << c.exp << ", immunity " << int(c.immunity));
    CharStats s = Hero();
    s.exp = c.exp, s.nextExp = c.next, s.immunity = c.immunity;
    const Art page = Area([&] { StatusPage(s, 1); }, 84, 0, 75, 96);
    const Art expected = Area(
        [&] {
          DrawString(43, 5, "经验值");
          DrawNumber(98, 7, c.exp, 0);
          DrawString(int16_t(c.slashX), 5, "/");
          DrawNumber(int16_t(c.nextX), 12, c.next, 0);
          PrintInt(98, 23, s.agility, 10, 0);
          PrintInt(98, 41, s.spirit, 10, 0);
          PrintInt(98, 59, s.luck, 10, 0);
          for (std::size_t i = 0; i < c.marks.size(); ++i) {
            const int x = c.marks[i].first;
            DrawString(int16_t(x), 77, c.marks[i].second);
            if (i > 0) ScreenLine(x - 2, 77, x - 2, 92);
          }
        },
        84, 0, 75, 96);
    EXPECT_EQ(page, expected);
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
struct Shown {
  int member;
  Art page;
  bool operator==(const Shown&) const = default;
};
Shown ShownNow() {
  int member = -1;
  for (int i = 0; i < 3; ++i) {
    if (GetPixelColor(1, int16_t(12 + 32 * i), nullptr) == testsupport::kBlack) member = i;
  }
  return {member, ArtOf(nullptr, 37, 0, 122, 96)};
}
Art PageOf(const CharStats& s, int page) { return Area([&] { StatusPage(s, page); }, 37, 0, 122, 96); }

TEST(StatusScreenTest, PagesByParityAndArrowsWrapOnlyWithTwoMembers) {
  CharStats second = Hero();
  second.level = 3, second.hp = 11, second.exp = 7;
  const Member a{1, "甲", Hero()}, b{2, "乙", second};
  struct Case {
    std::vector<std::pair<int, Member>> seats;
    std::vector<uint32_t> keys;
    int member;
    CharStats stats;
    int page;
  };
  const uint32_t pu = kKeyPageUp, pd = kKeyPageDown;
  const Case cases[] = {
      {{{0, a}, {2, b}}, {}, 0, a.stats, 0},
      {{{0, a}, {2, b}}, {pd}, 0, a.stats, 1},
      {{{0, a}, {2, b}}, {pd, pu}, 0, a.stats, 0},
      {{{0, a}, {2, b}}, {kKeyLeft}, 1, b.stats, 0},  // from the first to the last
      {{{0, a}, {2, b}}, {pd, kKeyDown, kKeyRight}, 0, a.stats, 1},
      {{{0, a}, {2, b}}, {kKeyUp, kKeyUp}, 0, a.stats, 0},
      {{{1, b}}, {kKeyLeft, kKeyRight, kKeyDown}, 0, b.stats, 0},  // one member: nowhere to go
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.seats.size() << " members, " << c.keys.size() << " keys");
    const Shown expected{c.member, PageOf(c.stats, c.page)};
    GameRun run(
        [&] {
          Seat(c.seats);
          StatusScreen();
        },
        TestLibrary("party"));
    for (uint32_t key : c.keys) run.Key(key);
    EXPECT_EQ(ShownNow(), expected);
    run.Key(kKeyEscape);
    EXPECT_TRUE(run.Finished());
  }
}

TEST(StatusScreenTest, GoldenWithTwoMembersAndNothingWithoutOne) {
  CharStats second = Hero();
  second.level = 243;
  GameRun run(
      [&] {
        Seat({{0, {1, "甲", Hero()}}, {1, {2, "乙", second}}});
        StatusScreen();
      },
      TestLibrary("party"));
  run.Key(kKeyDown);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/status_screen"));
  run.Key(kKeyEscape);
  EXPECT_TRUE(run.Finished());

  // An empty party: back at once, the screen untouched.
  Art before, after;
  GameRun empty([&] {
    before = ArtOf(nullptr, 0, 0, 160, 96);
    StatusScreen();
    after = ArtOf(nullptr, 0, 0, 160, 96);
  });
  EXPECT_TRUE(empty.Finished());
  EXPECT_EQ(after, before);
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
  EXPECT_TRUE(run.Finished());
}

}  // namespace
