#include "rpg/format/save_layout.h"
#include "rpg/format/save_names.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/rpg/format/save_sample.h"

namespace rpgfmt::save {
namespace {

using ByteVec = std::vector<std::uint8_t>;

// A main file whose every field is known: the sample with a few fields set
// to values that show their byte order.
MainFile CheckedMain() {
  MainFile m = savesample::Main(1);
  m.state.mapName = {'C', 'a', 'v', 'e', 0xC9, 0xBD, 0, 0, 0, 'Z'};
  m.state.partyIds = {3, 1, 25};
  m.state.scriptPc = 0x1234, m.state.reserved = 0xABCD;
  m.state.money = 123456;  // 0x0001E240
  m.state.mapBlock = 0x0102, m.state.timerCount = 0x0A0B, m.state.evasionOn = 0x77;
  m.scriptLength = 0x0FED;
  m.events.front() = 0x1122, m.events.back() = 0x3344;
  m.scriptVars.front() = 0x55, m.scriptVars.back() = 0x66;
  m.eventFlags.front() = 0x01, m.eventFlags.back() = 0x80;
  m.inventory.back() = 0x42;
  m.npcs[0][0] = 0x91, m.npcs[9][0] = 0x92, m.npcs[36][0] = 0x93, m.npcs[39][25] = 0x94;
  return m;
}

TEST(SaveLayout, MainFileFieldsSitAtTheirOffsets) {
  const ByteVec bytes = BuildMainFile(CheckedMain());
  ASSERT_EQ(bytes.size(), 2705u);
  const std::pair<std::size_t, std::uint8_t> expected[] = {
      {0, 'C'},     {4, 0xC9},    {9, 'Z'},     {10, 0},      {12, 3},      {13, 1},
      {14, 25},     {21, 0x12},   {22, 0x34},   {23, 0xAB},   {24, 0xCD},   {28, 0x40},
      {29, 0xE2},   {30, 0x01},   {31, 0},      {44, 0x02},   {45, 0x01},   {102, 0x0A},
      {103, 0x0B},  {106, 0x77},  {255, 0xED},  {256, 0x0F},  {258, 0x22},  {259, 0x11},
      {508, 0x44},  {509, 0x33},  {510, 0x55},  {764, 0x66},  {765, 0x01},  {1064, 0x80},
      {1664, 0x42}, {1665, 0x91}, {1899, 0x92}, {2601, 0x93}, {2704, 0x94},
  };
  for (auto [offset, value] : expected) EXPECT_EQ(bytes[offset], value) << "byte " << offset;
  for (std::size_t b = 107; b < 255; ++b) ASSERT_EQ(bytes[b], 0) << "byte " << b;
}

TEST(SaveLayout, ParsingWhatWasBuiltGivesTheValueBack) {
  auto expectBack = [](const auto& parsed, const auto& value) {
    ASSERT_TRUE(parsed) << parsed.error().Text();
    EXPECT_EQ(*parsed, value);
  };
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    const MainFile main = savesample::Main(seed);
    expectBack(ParseMainFile(BuildMainFile(main)), main);

    MemberFile members;
    for (std::uint8_t id = 1; id <= kLastMemberId; ++id) {
      if ((seed + id) % 3 != 0) members.records[id - 1] = savesample::Member(id, seed * 31 + id);
    }
    for (std::uint8_t id : main.state.partyIds) {
      if (id != 0) members.records[id - 1] = savesample::Member(id, seed + 1000);
    }
    expectBack(ParseMemberFile(BuildMemberFile(members), main.state.partyIds), members);

    const MemberRecord parked = savesample::Member(std::uint8_t(seed % 25 + 1), seed);
    expectBack(ParseParkedFile(BuildParkedFile(parked), parked.id), parked);
  }
}

// A crafted file and the offset of the problem it must be refused for, or
// nothing when it must be accepted.
struct Crafted {
  const char* what;
  std::function<void(ByteVec&)> damage;
  std::optional<std::size_t> offset;
};

template <class Parse>
void ExpectVerdicts(const ByteVec& good, const std::vector<Crafted>& cases, Parse parse) {
  ASSERT_TRUE(parse(good));
  for (const Crafted& c : cases) {
    ByteVec bytes = good;
    c.damage(bytes);
    const auto result = parse(bytes);
    if (!c.offset) {
      EXPECT_TRUE(result) << c.what << ": " << result.error().Text();
      continue;
    }
    ASSERT_FALSE(result) << c.what;
    EXPECT_EQ(result.error().offset, c.offset) << c.what << ": " << result.error().Text();
    EXPECT_FALSE(result.error().message.empty()) << c.what;
  }
}

std::function<void(ByteVec&)> Set(std::size_t at, std::uint8_t value) {
  return [=](ByteVec& b) { b[at] = value; };
}
std::function<void(ByteVec&)> Resize(std::size_t size) {
  return [=](ByteVec& b) { b.resize(size, 0); };
}

TEST(SaveLayout, MainFileRefusalsNameTheFirstBadByte) {
  MainFile m = savesample::Main(2);
  m.state.partyIds = {3, 1, 0};
  m.state.mapWidth = 10, m.state.mapHeight = 8, m.state.invCount = 2;
  m.inventory[6] = 0;  // entry 2, not in use
  std::mt19937 rng(3);
  for (NpcEntry& e : m.npcs) e = savesample::Npc(rng, 10, 8);
  m.npcs[0][0] = 0;
  m.npcs[0][2] = 9;  // an empty entry is not checked
  m.npcs[1][5] = 5;
  constexpr std::size_t npc3 = 1665 + 3 * 26;
  const std::vector<Crafted> cases = {
      {"empty", Resize(0), 0},
      {"14 bytes", Resize(14), 14},
      {"15 bytes", Resize(15), 15},
      {"2704 bytes", Resize(2704), 2704},
      {"2706 bytes", Resize(2706), 2705},
      {"spare byte 107", Set(107, 1), 107},
      {"spare byte 254", Set(254, 0xFF), 254},
      {"party id 26", Set(13, 26), 13},
      {"party id repeated", Set(14, 3), 14},
      {"second empty party slot", Set(14, 0), std::nullopt},
      {"leader 3", Set(15, 3), 15},
      {"inventory count 201", Set(16, 201), 16},
      {"inventory count 200", Set(16, 200), 1065 + 6},
      {"script state 3", Set(20, 3), 20},
      {"item kind 0", Set(1065 + 3, 0), 1068},
      {"item kind 15", Set(1065 + 3, 15), 1068},
      {"item count 0", Set(1065 + 5, 0), 1070},
      {"npc facing 0", Set(npc3 + 2, 0), npc3 + 2},
      {"npc facing 5", Set(npc3 + 2, 5), npc3 + 2},
      {"npc step 4", Set(npc3 + 3, 4), npc3 + 3},
      {"npc column off the map", Set(npc3 + 5, 10), npc3 + 5},
      {"npc row off the map", Set(npc3 + 6, 8), npc3 + 6},
      {"npc target column off the map", Set(npc3 + 7, 224), npc3 + 7},
      {"npc target row off the map", Set(npc3 + 8, 8), npc3 + 8},
      {"npc without a target", Set(npc3 + 7, 225), std::nullopt},
      {"map narrowed under an npc", Set(42, 1), 1665 + 26 + 5},
  };
  ExpectVerdicts(BuildMainFile(m), cases, [](const ByteVec& b) { return ParseMainFile(b); });
}

TEST(SaveLayout, MemberAndParkedFileRefusals) {
  MemberFile file;
  file.records[0] = savesample::Member(1, 1);
  file.records[2] = savesample::Member(3, 2);
  const std::uint8_t party[] = {3, 0, 1};
  const std::vector<Crafted> memberCases = {
      {"empty", Resize(0), 0},
      {"173 bytes", Resize(173), 172},
      {"343 bytes", Resize(343), 172},
      {"party member cut off", Resize(2 * 172), 2 * 172},
      {"party member's id byte", Set(2 * 172 + 1, 4), 2 * 172 + 1},
      {"party member's record zero", [](ByteVec& b) { std::fill_n(b.begin(), 172, 0); }, 1},
      {"facing 0", Set(2 * 172 + 2, 0), 2 * 172 + 2},
      {"step 4", Set(3, 4), 3},
      {"a further record", Resize(5 * 172), std::nullopt},
  };
  ExpectVerdicts(BuildMemberFile(file), memberCases,
                 [&](const ByteVec& b) { return ParseMemberFile(b, party); });

  const std::vector<Crafted> parkedCases = {
      {"empty", Resize(0), 0},
      {"171 bytes", Resize(171), 171},
      {"173 bytes", Resize(173), 172},
      {"mark 224", Set(0, 224), 0},
      {"mark 255", Set(0, 255), 0},
      {"another id", Set(1, 4), 1},
      {"facing 5", Set(2, 5), 2},
      {"step 4", Set(3, 4), 3},
  };
  ExpectVerdicts(BuildParkedFile(*file.records[2]), parkedCases,
                 [](const ByteVec& b) { return ParseParkedFile(b, 3); });
}

TEST(SaveLayout, AbsentRecordsAreNotHeld) {
  MemberFile file;
  file.records[3] = savesample::Member(4, 9);
  ByteVec bytes = BuildMemberFile(file);
  bytes[1 * 172 + 1] = 7;  // record 2 claims to be 7's
  const auto parsed = ParseMemberFile(bytes);
  ASSERT_TRUE(parsed) << parsed.error().Text();
  for (std::size_t i = 0; i < kLastMemberId; ++i) {
    EXPECT_EQ(parsed->records[i].has_value(), i == 3) << "id " << i + 1;
  }
}

TEST(SaveLayout, ReferencesOfAParsedSave) {
  MainFile m = savesample::Main(4);
  m.state.invCount = 2;
  const std::uint8_t entries[] = {6, 9, 2, 14, 1, 99};
  std::copy(std::begin(entries), std::end(entries), m.inventory.begin());
  EXPECT_EQ(InventoryInUse(m), (std::vector<InventoryEntry>{{6, 9, 2}, {14, 1, 99}}));

  MemberRecord r = savesample::Member(1, 4);
  r.equipment = {0, 5, 0, 0, 7, 0, 0, 8};
  EXPECT_EQ(WornItems(r), (std::vector<ItemRef>{{2, 5}, {7, 7}, {6, 8}}));
  r.magicCount = 2;
  r.magic[0] = 1, r.magic[1] = 10, r.magic[2] = 2, r.magic[3] = 20;
  EXPECT_EQ(SavedMagics(r), (std::vector<MagicRef>{{1, 10}, {2, 20}}));
  r.magicCount = 52;  // more than a save keeps
  EXPECT_EQ(SavedMagics(r).size(), kSavedMagics);
}

TEST(SaveNames, EveryFileOfASlotAndOfAParkedMember) {
  using K = SaveFileKind;
  const std::string title("Velmor\0xx", 9);
  const struct {
    std::string_view title;
    K kind;
    int n;
    std::string name;
  } cases[] = {
      {title, K::kParked, 1, "..\\Save\\Velmor\x95.savt"},
      {title, K::kParked, 25, "..\\Save\\Velmor\xAD.savt"},
      {"LongTitle9", K::kMain, 1, "..\\Save\\LongTitl2.sav"},
      {"a/b\\c\x1F\x80", K::kMain, 0, "..\\Save\\a_b_c_\x80" "0.sav"},
      {"", K::kMember, 1, "..\\Save\\3.sav"},
      // Out of range: no name at all.
      {title, K::kMain, 3, ""},
      {title, K::kMember, -1, ""},
      {title, K::kParked, 0, ""},
      {title, K::kParked, 26, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SaveFileName(c.title, c.kind, c.n), c.name) << c.title << " " << c.n;
  }
}

TEST(SaveNames, TitlesThatNeedNoStandIn) {
  EXPECT_TRUE(TitleIsFileSafe(std::string("ab\0/", 4)));  // bytes after the zero are not used
  EXPECT_TRUE(TitleIsFileSafe("12345678/"));                // nor those after the eighth
  EXPECT_FALSE(TitleIsFileSafe("a\\b"));
  EXPECT_FALSE(TitleIsFileSafe("a\tb"));
}

}  // namespace
}  // namespace rpgfmt::save
