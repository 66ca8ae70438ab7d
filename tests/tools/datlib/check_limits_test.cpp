// `datlib check` warns where the game clips or refuses data: each rule with
// a library that breaks it and one that keeps to it.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "codec/bytes.h"
#include "rpg/format/map.h"
#include "rpg/format/picture.h"
#include "rpg/format/records.h"
#include "tests/tools/datlib/script_test_util.h"
#include "tools/datlib/check.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;
using testing::Bytes;

struct Res {
  ResKey key;
  Bytes bytes;
};

// A character sheet (3, 1, 1) walking with sheet (8, 1, 1).
Bytes Sheet(int facing, int step, int chain = 0, int chainCount = 0) {
  namespace sheet = rpgfmt::charsheet;
  Bytes b(sheet::kSize, 0);
  b[rpgfmt::actor::kFacing] = static_cast<std::uint8_t>(facing);
  b[rpgfmt::actor::kStep] = static_cast<std::uint8_t>(step);
  b[sheet::kSprite] = 1;
  b[sheet::kChain] = static_cast<std::uint8_t>(chain);
  b[sheet::kChainCount] = static_cast<std::uint8_t>(chainCount);
  return b;
}

// A map character of group 2 with sheet (8, 2, 1).
Bytes Npc(int facing, int step) {
  Bytes b(rpgfmt::npcrec::kSize, 0);
  b[rpgfmt::actor::kPicGroup] = 2;
  b[rpgfmt::actor::kFacing] = static_cast<std::uint8_t>(facing);
  b[rpgfmt::actor::kStep] = static_cast<std::uint8_t>(step);
  b[rpgfmt::npcrec::kPicture] = 1;
  return b;
}

Bytes Chain(int entries) {
  Bytes b(rpgfmt::magicchain::kEntries, 0);
  b[rpgfmt::magicchain::kCount] = static_cast<std::uint8_t>(entries);
  for (int i = 0; i < entries; ++i) b.insert(b.end(), {1, 1});
  return b;
}

// One row, for level 1.
Bytes LevelTable(int rowChainCount, int spirit = 0, int nextExp = 0) {
  namespace table = rpgfmt::leveltable;
  Bytes b(table::kRows + table::kRowSize, 0);
  b[table::kLastLevel] = 1;
  b[table::kRows + table::kRowChainCount] = static_cast<std::uint8_t>(rowChainCount);
  b[table::kRows + rpgfmt::OffsetOf(table::kRow, "spirit")] = static_cast<std::uint8_t>(spirit);
  codec::StoreLe<std::uint16_t>(b.data() + table::kRows + rpgfmt::OffsetOf(table::kRow, "nextExp"),
                                static_cast<std::uint16_t>(nextExp));
  return b;
}

// A level-1 character sheet expecting `nextExp`.
Bytes SheetAtLevel1(int nextExp) {
  namespace sheet = rpgfmt::charsheet;
  Bytes b = Sheet(1, 0);
  b[sheet::kStats + rpgfmt::charstats::kLevel] = 1;
  codec::StoreLe<std::uint16_t>(b.data() + sheet::kStats + rpgfmt::charstats::kNextExp,
                                static_cast<std::uint16_t>(nextExp));
  return b;
}

// Enemy (3, 3, 1) with magic list (12, 1, list).
Bytes Enemy(int magicCount, int list, int hp, int maxHp, int spirit) {
  namespace enemy = rpgfmt::enemyrec;
  Bytes b(enemy::kSize, 0);
  b[enemy::kMagicCount] = static_cast<std::uint8_t>(magicCount);
  b[enemy::kMagicList] = static_cast<std::uint8_t>(list);
  b[enemy::kSpirit] = static_cast<std::uint8_t>(spirit);
  codec::StoreLe<std::uint16_t>(b.data() + enemy::kStats + rpgfmt::charstats::kHp,
                                static_cast<std::uint16_t>(hp));
  codec::StoreLe<std::uint16_t>(b.data() + enemy::kStats + rpgfmt::charstats::kMaxHp,
                                static_cast<std::uint16_t>(maxHp));
  return b;
}

// A magic aimed at `target`, with an empty description.
Bytes Magic(int target) {
  Bytes b(rpgfmt::magicrec::kFixedSize + 1, 0);
  b[rpgfmt::magicrec::kTarget] = static_cast<std::uint8_t>(target);
  return b;
}

Bytes BattleScript(const char* enemies) {
  Diagnostics diag;
  const std::string src =
      std::string("    Battle 0, ") + enemies + ", 1, 1, 1, 0, 0, 0, 0, 0, 0, e, e\ne:\n    End\n";
  const auto script = testing::Assemble(src, diag);
  EXPECT_TRUE(script) << diag.Text();
  return script ? script->bytes : Bytes{};
}

Bytes Pictures(int width, int height, int frames) {
  rpgfmt::Picture p;
  p.width = width;
  p.height = height;
  p.frames.assign(static_cast<std::size_t>(frames),
                  Bytes(static_cast<std::size_t>(width) * height, 0));
  return rpgfmt::EncodePicture(p);
}

// Two elements showing pictures 0 and `secondPicture` of one, playing 0 ... last.
Bytes Animation(int last, int secondPicture) {
  namespace anim = rpgfmt::anim;
  Bytes b(anim::ElementAt(2), 0);
  b[anim::kCount] = 2;
  b[anim::kPictureCount] = 1;
  b[anim::kLast] = static_cast<std::uint8_t>(last);
  b[anim::ElementAt(1) + anim::kElementPicture] = static_cast<std::uint8_t>(secondPicture);
  const Bytes picture = Pictures(8, 1, 1);
  b.insert(b.end(), picture.begin(), picture.end());
  return b;
}

// A 9 x 6 map on tile set 1 whose cell (3, 2) shows `tile`.
Bytes MapWithTile(int tile) {
  rpgfmt::Map m;
  m.tileSet = 1;
  m.width = 9;
  m.height = 6;
  m.cells.assign(54, {0x81, 0});
  m.At(3, 2).tile = static_cast<std::uint8_t>(0x80 | tile);
  return rpgfmt::EncodeMap(m);
}

// Item (6, 9, 1) bound to `flag`, with picture (9, 9, 1).
Bytes Item(int flag) {
  namespace item = rpgfmt::itemrec;
  Bytes b(item::kSize, 0);
  b[item::kKind] = 9;
  b[item::kPicture] = 1;
  b[item::kFlag] = static_cast<std::uint8_t>(flag);
  b[item::kFlag + 1] = static_cast<std::uint8_t>(flag >> 8);
  return b;
}

const Bytes kEnd = [] {
  Bytes b(24, 0);
  b.insert(b.end(), {4, 0, 0, 9});  // code length 4, no events, End
  return b;
}();

struct Case {
  const char* name;
  std::vector<Res> resources;
  const char* expected;  // a warning's text, or nullptr for none
  const char* rule;      // text every warning of the rule holds
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string CheckOf(const std::vector<Res>& resources) {
  std::vector<rpgfmt::LibResource> in = {{{1, 1, 1}, kEnd}};
  for (const Res& r : resources) in.push_back({r.key, r.bytes});
  const rpgfmt::PackResult packed = rpgfmt::WriteLibrary({"t", 1}, in);
  EXPECT_EQ(packed.error, "");
  Diagnostics diag;
  EXPECT_TRUE(CheckLibrary(packed.image, "t.lib", diag).has_value());
  return diag.Text();
}

const Res kSheet12{{8, 1, 1}, Pictures(8, 1, 12)};
const Res kNpcSheet{{8, 2, 1}, Pictures(8, 1, 12)};
const Res kTiles{{7, 1, 1}, Pictures(16, 16, 4)};

const Case kCases[] = {
    {"chain count beyond its chain",
     {{{3, 1, 1}, Sheet(3, 0, 1, 3)}, {{12, 1, 1}, Chain(2)}, kSheet12},
     "t.lib[3,1,1]: warning: chain count 3 is beyond the 2 magics the game takes from chain "
     "(12, 1, 1)",
     "chain count"},
    {"chain count within its chain",
     {{{3, 1, 1}, Sheet(3, 0, 1, 2)}, {{12, 1, 1}, Chain(2)}, kSheet12},
     nullptr,
     "chain count"},
    {"chain count beyond 50",
     {{{3, 1, 1}, Sheet(3, 0, 1, 51)}, {{12, 1, 1}, Chain(60)}, kSheet12},
     "t.lib[3,1,1]: warning: chain count 51 is beyond the 50 magics",
     "chain count"},
    {"chain count of 50",
     {{{3, 1, 1}, Sheet(3, 0, 1, 50)}, {{12, 1, 1}, Chain(60)}, kSheet12},
     nullptr,
     "chain count"},
    {"level row beyond the chain",
     {{{3, 1, 1}, Sheet(3, 0, 1, 1)},
      {{12, 1, 1}, Chain(2)},
      {{12, 2, 1}, LevelTable(3)},
      kSheet12},
     "t.lib[12,2,1]: error: level 1: chain count 3 is above the 2 entries of chain (12, 1, 1)",
     "chain count"},
    {"level row within the chain",
     {{{3, 1, 1}, Sheet(3, 0, 1, 1)},
      {{12, 1, 1}, Chain(2)},
      {{12, 2, 1}, LevelTable(2)},
      kSheet12},
     nullptr,
     "chain count"},
    {"sheet facing 0",
     {{{3, 1, 1}, Sheet(0, 0)}, kSheet12},
     "t.lib[3,1,1]: warning: facing 0 is outside 1 ... 4",
     "facing"},
    {"map character facing 5 and step 4",
     {{{3, 2, 1}, Npc(5, 4)}, kNpcSheet},
     "t.lib[3,2,1]: warning: step 4 is above 3",
     "facing 5"},
    {"facings 1 and 4, steps 0 and 3",
     {{{3, 1, 1}, Sheet(1, 0)}, {{3, 2, 1}, Npc(4, 3)}, kSheet12, kNpcSheet},
     nullptr,
     "the game draws no pose"},
    {"walking sheet of 11 frames",
     {{{3, 2, 1}, Npc(3, 0)}, {{8, 2, 1}, Pictures(8, 1, 11)}},
     "t.lib[8,2,1]: warning: walking sheet of 11 frames, used by (3, 2, 1); walking takes 12 "
     "poses",
     "walking sheet"},
    {"walking sheet of 12 frames", {{{3, 2, 1}, Npc(3, 0)}, kNpcSheet}, nullptr, "walking sheet"},
    {"animation playing past its elements",
     {{{5, 1, 240}, Animation(2, 0)}},
     "t.lib[5,1,240]: warning: last element 2 is at or beyond its 2 elements",
     "last element"},
    {"animation playing its last element",
     {{{5, 1, 240}, Animation(1, 0)}},
     nullptr,
     "last element"},
    {"animation element showing a missing picture",
     {{{5, 1, 240}, Animation(1, 1)}},
     "t.lib[5,1,240]: warning: element 1 shows picture 1 of 1; the game draws nothing for it",
     "shows picture"},
    {"map cell beyond its tile set",
     {{{2, 1, 1}, MapWithTile(4)}, kTiles},
     "t.lib[2,1,1]: warning: 1 cell, first (3, 2) with tile 4, show a tile beyond the 4 of tile "
     "set (7, 1, 1); the game draws them white",
     "tile beyond"},
    {"item flag 2400 and picture 25 x 24",
     {{{6, 9, 1}, Item(2400)}, {{9, 9, 1}, Pictures(25, 24, 1)}},
     "t.lib[6,9,1]: warning: event flag 2400 is beyond the 2400 flags",
     "picture (9, 9, 1) of 25 x 24 is larger than the 24 x 24"},
    {"item flag 2399",
     {{{6, 9, 1}, Item(2399)}, {{9, 9, 1}, Pictures(24, 24, 1)}},
     nullptr,
     "t.lib[6,9,1]: warning: event flag"},
    {"item picture 24 x 24",
     {{{6, 9, 1}, Item(0)}, {{9, 9, 1}, Pictures(24, 24, 1)}},
     nullptr,
     "is larger than"},
    {"enemy counting magics beyond its list",
     {{{3, 3, 1}, Enemy(3, 2, 5, 5, 0)}, {{12, 1, 2}, Chain(2)}},
     "t.lib[3,3,1]: error: magic count 3 is above the 2 entries of magic list (12, 1, 2)",
     "magic count"},
    {"enemy counting magics without a list",
     {{{3, 3, 1}, Enemy(1, 0, 5, 5, 0)}},
     "t.lib[3,3,1]: error: magic count 1 without a magic list",
     "magic count"},
    {"enemy counting its list's magics",
     {{{3, 3, 1}, Enemy(2, 2, 5, 5, 0)}, {{12, 1, 2}, Chain(2)}},
     nullptr,
     "magic count"},
    {"enemy hp 0",
     {{{3, 3, 1}, Enemy(0, 0, 0, 5, 0)}},
     "t.lib[3,3,1]: warning: hp 0 is outside 1 ... maxHp 5",
     "hp "},
    {"enemy hp above maxHp",
     {{{3, 3, 1}, Enemy(0, 0, 6, 5, 0)}},
     "warning: hp 6 is outside",
     "hp "},
    {"enemy hp at maxHp, spirit 63", {{{3, 3, 1}, Enemy(0, 0, 5, 5, 63)}}, nullptr, "warning: hp"},
    {"enemy spirit 64",
     {{{3, 3, 1}, Enemy(0, 0, 5, 5, 64)}},
     "t.lib[3,3,1]: warning: spirit 64 is 64 or more",
     "spirit"},
    {"level row spirit 64 and nextExp unlike the sheet's",
     {{{3, 1, 1}, SheetAtLevel1(30)}, {{12, 2, 1}, LevelTable(0, 64, 31)}, kSheet12},
     "t.lib[12,2,1]: warning: level 1: spirit 64 is 64 or more",
     "t.lib[3,1,1]: warning: nextExp 30 is unlike the 31 of level 1 in level table (12, 2, 1)"},
    {"level row spirit 63 and the sheet's nextExp",
     {{{3, 1, 1}, SheetAtLevel1(30)}, {{12, 2, 1}, LevelTable(0, 63, 30)}, kSheet12},
     nullptr,
     "warning: level 1: spirit"},
    {"sheet nextExp of its row",
     {{{3, 1, 1}, SheetAtLevel1(30)}, {{12, 2, 1}, LevelTable(0, 63, 30)}, kSheet12},
     nullptr,
     "nextExp"},
    {"theft aimed at all",
     {{{4, 5, 1}, Magic(128)}},
     "t.lib[4,5,1]: warning: a class-5 magic aimed at a whole side",
     "class-5"},
    {"theft aimed at one", {{{4, 5, 1}, Magic(127)}}, nullptr, "class-5"},
    {"harm aimed at all", {{{4, 1, 1}, Magic(128)}}, nullptr, "class-5"},
    {"battle without enemies",
     {{{1, 2, 1}, BattleScript("0, 0, 0")}},
     "t.lib[1,2,1]: error: +0x0003: Battle with enemy ids 0, 0 and 0",
     "has no enemy to fight"},
    {"battle with its third enemy only",
     {{{1, 2, 1}, BattleScript("0, 0, 1")}},
     nullptr,
     "Battle with enemy ids"},
    {"map cells within the tile set",
     {{{2, 1, 1}, MapWithTile(3)}, kTiles},
     nullptr,
     "tile beyond"},
};

class CheckLimits : public ::testing::TestWithParam<Case> {};

TEST_P(CheckLimits, WarnsWhereTheGameClips) {
  const Case& c = GetParam();
  const std::string text = CheckOf(c.resources);
  if (c.expected != nullptr) {
    EXPECT_NE(text.find(c.expected), std::string::npos) << text;
    EXPECT_NE(text.find(c.rule), std::string::npos) << text;
  } else {
    EXPECT_EQ(text.find(c.rule), std::string::npos) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckLimits, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace datlib
