#include "tools/datlib/record_src.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/tools/datlib/script_test_util.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;

using testing::Bytes;
using testing::Gb;
using testing::U8;

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

// Each kind of record against bytes checked by hand: `puts` are written into
// `size` zero bytes. Every record dumps back to the same bytes.
struct HandChecked {
  const char* name;
  std::string yaml;
  rpgfmt::ResKey key;
  std::size_t size;
  std::vector<std::pair<std::size_t, Bytes>> puts;
};

TEST_F(RecordSrcTest, RecordsMatchHandCheckedBytes) {
  const HandChecked cases[] = {
      {"item",
       U8(u8"{wearers: 5, weaponPower: 7, picture: 2, name: 草药, buyPrice: 300,\n"
          u8" sellPrice: 150, effect: [1, 2, 3, 4, 5, 6, 7, 8], description: ab,\n"
          u8" flag: 513}"),
       {6, 9, 3}, 134,
       {{0, {9, 3, 0, 5, 7, 2}}, {6, Gb("草药")},
        {18, {0x2C, 0x01, 0x96, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 'a', 'b'}}, {132, {0x01, 0x02}}}},
      {"character sheet",
       U8(u8"{facing: 3, chainCount: 2, name: 林远, sprite: 4, chain: 5,\n"
          u8" equipment: {head: 11, footwear: 12, ornament2: 13},\n"
          u8" stats: {level: 1, maxHp: 999, agility: 7, weaponPower: 9}}"),
       {3, 1, 6}, 58,
       {{0, {1, 6, 3, 0, 0, 0, 0, 0, 0, 2}}, {10, Gb("林远")},
        {22, {4, 5, 11, 0, 0, 0, 0, 12, 0, 13}}, {32, {1}}, {38, {0xE7, 0x03}}, {54, {7}}, {57, {9}}}},
      {"map character",
       "{facing: 2, mode: 3, x: 4, y: 5, targetX: 255, carried: [1, 2], restTime: 6, picture: 7}",
       {3, 4, 9}, 23, {{0, {4, 9, 2, 0, 3, 4, 5, 255, 0, 1, 2}}, {21, {6, 7}}}},
      {"enemy",
       "{magicCount: 1, name: wolf, level: 3, maxHp: 300, exp: 65535,"
       " stealCount: 2, dropOn: 1, picture: 8, magicList: 2}",
       {3, 3, 5}, 48,
       {{0, {3, 5, 1}}, {6, Gb("wolf")}, {18, {3}}, {24, {0x2C, 0x01}}, {38, {0xFF, 0xFF}},
        {42, {2}}, {45, {1}}, {46, {8, 2}}}},
      {"magic ending with its description",
       "{target: 128, mpCost: 6, animation: 2, name: heal,"
       " effect: {hp: 258, status: 0x31}, description: xyz}",
       {4, 3, 1}, 30,
       {{0, {3, 1, 0, 128, 6, 2, 'h', 'e', 'a', 'l'}}, {18, {0x02, 0x01, 0, 0, 0, 0, 0x31, 0}},
        {26, {'x', 'y', 'z', 0}}}},
      {"chain counting its entries", "{magics: [[1, 2], {class: 3, id: 4}]}", {12, 1, 7}, 7,
       {{0, {1, 7, 2, 1, 2, 3, 4}}}},
      {"level table counting its rows",
       "{levels: [{maxHp: 300, nextExp: 20, luck: 3, chainCount: 1}, {}]}", {12, 2, 1}, 4 + 40,
       {{0, {2, 1, 2, 0, 0x2C, 0x01}}, {4 + 14, {20, 0, 0, 0, 3, 1}}}},
      {"empty chain", "{}", {12, 1, 8}, 3, {{0, {1, 8, 0}}}},
  };
  for (const HandChecked& c : cases) {
    SCOPED_TRACE(c.name);
    const auto b = Compile(c.yaml, c.key);
    ASSERT_TRUE(b.has_value()) << Errors();
    Bytes want(c.size, 0);
    for (const auto& [at, bytes] : c.puts) Put(want, at, bytes);
    EXPECT_EQ(*b, want);
    ExpectRoundTrip(*b, c.key);
  }
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
  std::string many = "magics: [";
  for (int i = 0; i < 51; ++i) many += "[1, 1],";
  many.back() = ']';
  const struct {
    std::string yaml;
    rpgfmt::ResKey key;
    const char* error;
  } cases[] = {
      {"wearers: 1\nnmae: x\n", {6, 1, 1}, "r.yaml:2:1: error: unknown field \"nmae\""},
      {"stats:\n  maxHp: 70000\n", {3, 1, 1}, "r.yaml:2:10: error: 70000 is out of range 0..65535"},
      {"stats: {lvl: 1}\n", {3, 1, 1}, "unknown field \"stats.lvl\""},
      {"name: abcdefghijkl\n", {6, 1, 1}, "r.yaml:1:7: error: text of 12 bytes is too long"},
      {"name: ab\xE2\x82\xAC" "c\n", {6, 1, 1}, "r.yaml:1:9: error: character"},  // a euro sign
      {"effect: [1, 2, 3, 4, 5, 6, 7, 8, 9]\n", {6, 1, 1}, ""},
      {"flag: x\n", {6, 1, 1}, "expected a whole number"},
      {many, {12, 1, 1}, "at most 50"},
      {"{}", {3, 9, 1}, ""},  // no layout for actor kind 9
  };
  for (const auto& c : cases) {
    diag_ = Diagnostics();
    EXPECT_FALSE(Compile(c.yaml, c.key)) << c.yaml;
    EXPECT_NE(Errors().find(c.error), std::string::npos) << Errors();
  }
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
