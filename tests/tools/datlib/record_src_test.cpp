#include "tools/datlib/record_src.h"

#include <gtest/gtest.h>

#include "tests/tools/datlib/project_test_util.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;

using testing::Bytes;
using testing::U8;

Bytes Gb(std::string_view s) { return Bytes(s.begin(), s.end()); }

void Put(Bytes& b, std::size_t at, const Bytes& v) { std::copy(v.begin(), v.end(), b.begin() + at); }

class RecordSrcTest : public ::testing::Test {
 protected:
  std::optional<Bytes> Compile(const std::string& yaml, rpgfmt::ResKey key) {
    return CompileRecord(YAML::Load(yaml), key, "r.yaml", dir_.path(), diag_);
  }

  // bytes → YAML → bytes must give the same bytes.
  void ExpectRoundTrip(const Bytes& bytes, rpgfmt::ResKey key) {
    Diagnostics diag;
    auto rec = DecodeRecord(bytes, key, {"lib", 0, 0}, diag);
    ASSERT_TRUE(rec.has_value());
    EXPECT_EQ(rec->size, bytes.size());
    for (const SideFile& f : rec->files) dir_.Write(f.path, f.text);
    YAML::Emitter out;
    out << rec->fields;
    auto again = CompileRecord(YAML::Load(out.c_str()), key, "dump.yaml", dir_.path(), diag);
    ASSERT_TRUE(again.has_value()) << diag.Text() << out.c_str();
    EXPECT_EQ(*again, bytes) << out.c_str();
  }

  std::string Errors() const { return diag_.Text(); }

  ScratchDir dir_;
  Diagnostics diag_;
};

TEST_F(RecordSrcTest, ItemMatchesHandCheckedBytes) {
  auto b = Compile(U8(u8"{wearers: 5, weaponPower: 7, picture: 2, name: 草药, buyPrice: 300,\n"
                      u8" sellPrice: 150, effect: [1, 2, 3, 4, 5, 6, 7, 8], description: ab,\n"
                      u8" flag: 513}"),
                   {6, 9, 3});
  ASSERT_TRUE(b.has_value()) << Errors();
  Bytes want(134, 0);
  Put(want, 0, {9, 3, 0, 5, 7, 2});
  Put(want, 6, Gb("草药"));
  Put(want, 18, {0x2C, 0x01, 0x96, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 'a', 'b'});
  Put(want, 132, {0x01, 0x02});
  EXPECT_EQ(*b, want);
  ExpectRoundTrip(*b, {6, 9, 3});
}

TEST_F(RecordSrcTest, CharacterSheetMatchesHandCheckedBytes) {
  auto b = Compile(U8(u8"{facing: 3, chainCount: 2, name: 林远, sprite: 4, chain: 5,\n"
                      u8" equipment: {head: 11, footwear: 12, ornament2: 13},\n"
                      u8" stats: {level: 1, maxHp: 999, agility: 7, weaponPower: 9}}"),
                   {3, 1, 6});
  ASSERT_TRUE(b.has_value()) << Errors();
  Bytes want(58, 0);
  Put(want, 0, {1, 6, 3, 0, 0, 0, 0, 0, 0, 2});
  Put(want, 10, Gb("林远"));
  Put(want, 22, {4, 5, 11, 0, 0, 0, 0, 12, 0, 13});
  want[32] = 1;
  Put(want, 38, {0xE7, 0x03});
  want[54] = 7;
  want[57] = 9;
  EXPECT_EQ(*b, want);
  ExpectRoundTrip(*b, {3, 1, 6});
}

TEST_F(RecordSrcTest, MapCharacterAndEnemyMatchHandCheckedBytes) {
  auto npc = Compile("{facing: 2, mode: 3, x: 4, y: 5, targetX: 255, carried: [1, 2],"
                     " restTime: 6, picture: 7}",
                     {3, 4, 9});
  ASSERT_TRUE(npc.has_value()) << Errors();
  Bytes want(23, 0);
  Put(want, 0, {4, 9, 2, 0, 3, 4, 5, 255, 0, 1, 2});
  Put(want, 21, {6, 7});
  EXPECT_EQ(*npc, want);
  ExpectRoundTrip(*npc, {3, 4, 9});

  auto enemy = Compile("{magicCount: 1, name: wolf, level: 3, maxHp: 300, exp: 65535,"
                       " stealCount: 2, dropOn: 1, picture: 8, magicList: 2}",
                       {3, 3, 5});
  ASSERT_TRUE(enemy.has_value()) << Errors();
  Bytes e(48, 0);
  Put(e, 0, {3, 5, 1});
  Put(e, 6, Gb("wolf"));
  e[18] = 3;
  Put(e, 24, {0x2C, 0x01});
  Put(e, 38, {0xFF, 0xFF});
  e[42] = 2;
  e[45] = 1;
  Put(e, 46, {8, 2});
  EXPECT_EQ(*enemy, e);
  ExpectRoundTrip(*enemy, {3, 3, 5});
}

TEST_F(RecordSrcTest, MagicEndsWithItsDescription) {
  auto b = Compile("{target: 128, mpCost: 6, animation: 2, name: heal,"
                   " effect: {hp: 258, status: 0x31}, description: xyz}",
                   {4, 3, 1});
  ASSERT_TRUE(b.has_value()) << Errors();
  Bytes want(30, 0);
  Put(want, 0, {3, 1, 0, 128, 6, 2, 'h', 'e', 'a', 'l'});
  Put(want, 18, {0x02, 0x01, 0, 0, 0, 0, 0x31, 0});
  Put(want, 26, {'x', 'y', 'z', 0});
  EXPECT_EQ(*b, want);
  ExpectRoundTrip(*b, {4, 3, 1});
}

TEST_F(RecordSrcTest, ChainsAndLevelTablesCountTheirEntries) {
  auto chain = Compile("{magics: [[1, 2], {class: 3, id: 4}]}", {12, 1, 7});
  ASSERT_TRUE(chain.has_value()) << Errors();
  EXPECT_EQ(*chain, (Bytes{1, 7, 2, 1, 2, 3, 4}));
  ExpectRoundTrip(*chain, {12, 1, 7});

  auto levels = Compile("{levels: [{maxHp: 300, nextExp: 20, luck: 3, chainCount: 1}, {}]}",
                        {12, 2, 1});
  ASSERT_TRUE(levels.has_value()) << Errors();
  Bytes want(4 + 40, 0);
  Put(want, 0, {2, 1, 2, 0, 0x2C, 0x01});
  Put(want, 4 + 14, {20, 0, 0, 0, 3, 1});
  EXPECT_EQ(*levels, want);
  ExpectRoundTrip(*levels, {12, 2, 1});

  auto empty = Compile("{}", {12, 1, 8});
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(*empty, (Bytes{1, 8, 0}));
}

TEST_F(RecordSrcTest, AnimationHoldsElementsAndOneFramePictures) {
  dir_.Write("a.txt", "size: 3x2\ndepth: 2\nlegend: #=black o=white .=clear\nframe 0\n#o.\n.#o\n");
  dir_.Write("b.txt", "size: 9x1\nframe 0\n#.......#\n");
  auto b = Compile("{elements: [[1, 2, 3, 4, 1], {dx: 5, picture: 0}], pictures: [a.txt, b.txt]}",
                   {5, 2, 9});
  ASSERT_TRUE(b.has_value()) << Errors();
  Bytes want{2, 9, 2, 2, 0, 1,         // two elements, two pictures, played 0..1
             1, 2, 3, 4, 1, 5, 0, 0, 0, 0,
             5, 2, 3, 2, 1, 2,         // a: 3x2, depth 2, one row byte pair per row
             0x48, 0, 0x90, 0,         // rows "#o." and ".#o": 01 00 10, 10 01 00
             5, 2, 9, 1, 1, 1,         // b: 9x1, depth 1, two bytes a row
             0b10000000, 0b10000000};
  ASSERT_EQ(b->size(), want.size());
  // The pictures' first two bytes are the picture compiler's; compare the rest.
  for (std::size_t at : {16, 17, 26, 27}) want[at] = (*b)[at];
  EXPECT_EQ(*b, want);
  ExpectRoundTrip(*b, {5, 2, 9});
}

TEST_F(RecordSrcTest, AnimationIndexesMustStayInside) {
  dir_.Write("a.txt", "size: 8x1\nframe 0\n########\n");
  EXPECT_FALSE(Compile("{elements: [[0, 0, 1, 1, 1]], pictures: [a.txt]}", {5, 1, 1}));
  EXPECT_NE(Errors().find("r.yaml:1:13: error: element 0 shows picture 1 of 1"), std::string::npos)
      << Errors();
  EXPECT_FALSE(Compile("{first: 1, last: 0, elements: [[0, 0, 1, 1, 0]], pictures: [a.txt]}",
                       {5, 1, 1}));
  EXPECT_NE(Errors().find("played range"), std::string::npos);
  dir_.Write("two.txt", "size: 8x1\nframe 0\n########\nframe 1\n########\n");
  EXPECT_FALSE(Compile("{elements: [[0, 0, 1, 1, 0]], pictures: [two.txt]}", {5, 1, 1}));
  EXPECT_NE(Errors().find("exactly one frame"), std::string::npos);
}

TEST_F(RecordSrcTest, BadFieldsAreErrorsWithTheirPosition) {
  EXPECT_FALSE(Compile("wearers: 1\nnmae: x\n", {6, 1, 1}));
  EXPECT_NE(Errors().find("r.yaml:2:1: error: unknown field \"nmae\""), std::string::npos);
  EXPECT_FALSE(Compile("stats:\n  maxHp: 70000\n", {3, 1, 1}));
  EXPECT_NE(Errors().find("r.yaml:2:10: error: 70000 is out of range 0..65535"),
            std::string::npos);
  EXPECT_FALSE(Compile("stats: {lvl: 1}\n", {3, 1, 1}));
  EXPECT_NE(Errors().find("unknown field \"stats.lvl\""), std::string::npos);
  EXPECT_FALSE(Compile("name: abcdefghijkl\n", {6, 1, 1}));  // 12 bytes + zero > 12
  EXPECT_NE(Errors().find("r.yaml:1:7: error: text of 12 bytes is too long"), std::string::npos);
  EXPECT_FALSE(Compile("name: ab\xE2\x82\xAC" "c\n", {6, 1, 1}));  // a euro sign
  EXPECT_NE(Errors().find("r.yaml:1:9: error: character"), std::string::npos) << Errors();
  EXPECT_FALSE(Compile("effect: [1, 2, 3, 4, 5, 6, 7, 8, 9]\n", {6, 1, 1}));
  EXPECT_FALSE(Compile("flag: x\n", {6, 1, 1}));
  EXPECT_NE(Errors().find("expected a whole number"), std::string::npos);
  std::string many = "magics: [";
  for (int i = 0; i < 51; ++i) many += "[1, 1],";
  many.back() = ']';
  EXPECT_FALSE(Compile(many, {12, 1, 1}));
  EXPECT_NE(Errors().find("at most 50"), std::string::npos);
  EXPECT_FALSE(Compile("{}", {3, 9, 1}));  // no layout for actor kind 9
}

TEST_F(RecordSrcTest, BytesThatAreNoCleanTextSurviveAsHex) {
  Bytes item(134, 0);
  Put(item, 6, {'a', 0, 'z'});   // garbage after the terminator
  Put(item, 30, {0xFF, 0xFF});   // no GB2312 text
  Put(item, 1, {1, 7});          // id and an unread byte off their defaults
  ExpectRoundTrip(item, {6, 4, 2});
  Bytes full(134, 0);
  std::fill(full.begin() + 6, full.begin() + 18, 'x');  // no terminator at all
  ExpectRoundTrip(full, {6, 4, 2});
}

TEST(RecordDecode, ShortBytesAreNoRecord) {
  Diagnostics diag;
  EXPECT_FALSE(DecodeRecord(Bytes(133, 0), {6, 1, 1}, {}, diag));
  EXPECT_FALSE(DecodeRecord(Bytes{1, 1, 5, 1}, {12, 1, 1}, {}, diag));
  EXPECT_FALSE(DecodeRecord(Bytes{1, 1, 1, 1, 0, 0}, {5, 1, 1}, {}, diag));  // a picture missing
  EXPECT_FALSE(DecodeRecord(Bytes{1, 1}, {1, 1, 1}, {}, diag));             // scripts hold none
}

}  // namespace
}  // namespace datlib
