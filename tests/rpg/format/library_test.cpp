#include "rpg/format/library.h"
#include "rpg/format/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "codec/bytes.h"

namespace rpgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Input {
  ResKey key;
  Bytes bytes;
};

PackResult Pack(const std::vector<Input>& in, const char* title = "TEST") {
  std::vector<LibResource> res;
  for (const Input& i : in) res.push_back({i.key, i.bytes});
  return WriteLibrary({title, std::strlen(title)}, res);
}

TEST(LibraryWriter, SmallProjectMatchesTheLayoutByteForByte) {
  // Given out of order: the writer sorts by key and groups one type per block;
  // the title is cut to eight bytes.
  const PackResult r = Pack({{{11, 2, 14}, {0xB1, 0xB2}},
                             {{2, 1, 1}, {1, 2, 3, 4, 5}},
                             {{1, 1, 2}, {0xC1, 0xC2, 0xC3}},
                             {{1, 1, 1}, {0xA1, 0xA2, 0xA3, 0xA4}}},
                            "TESTABCDEF");
  ASSERT_EQ(r.error, "");
  const Bytes& b = r.image;
  ASSERT_EQ(b.size(), 4u * 16384);  // whole blocks, the last one too
  EXPECT_EQ(std::string(b.begin(), b.begin() + 3), "LIB");
  EXPECT_EQ(std::string(b.begin() + 3, b.begin() + 12), std::string("TESTABCD\0", 9));
  EXPECT_EQ(codec::LoadLe<std::uint16_t>(b.data() + 12), 12);  // four keys, three bytes each
  EXPECT_EQ(codec::LoadLe<std::uint16_t>(b.data() + 14), 0);
  const Bytes dir(b.begin() + 16, b.begin() + 28);
  EXPECT_EQ(dir, (Bytes{1, 1, 1, 1, 1, 2, 2, 1, 1, 11, 2, 14}));
  EXPECT_EQ(b[28], 0);  // nothing after the directory
  const Bytes loc(b.begin() + 8192, b.begin() + 8204);
  EXPECT_EQ(loc, (Bytes{1, 3, 0, 1, 7, 0, 2, 3, 0, 3, 3, 0}));
  // Each block starts with its tag; resources follow it back to back.
  EXPECT_EQ(Bytes(b.begin() + 16384, b.begin() + 16394),
            (Bytes{'G', 'U', 'T', 0xA1, 0xA2, 0xA3, 0xA4, 0xC1, 0xC2, 0xC3}));
  EXPECT_EQ(b[16394], 0);  // padding to the block end
  EXPECT_EQ(Bytes(b.begin() + 32768, b.begin() + 32776), (Bytes{'M', 'A', 'P', 1, 2, 3, 4, 5}));
  EXPECT_EQ(Bytes(b.begin() + 49152, b.begin() + 49157), (Bytes{'S', 'U', 'N', 0xB1, 0xB2}));
  EXPECT_EQ(std::count(b.begin() + 49157, b.end(), 0), 16384 - 5);
  ASSERT_EQ(r.blocks.size(), 3u);
  EXPECT_EQ(r.blocks[0].members, (std::vector<std::size_t>{3, 2}));
  EXPECT_EQ(Pack({}).image.size(), 16384u);
}

TEST(LibraryWriter, ResourceNeverStraddlesABlock) {
  // 3 + 9000 + 9000 > 16384: the second starts a new block of the same type.
  const PackResult r = Pack({{{1, 1, 1}, Bytes(9000, 1)}, {{1, 1, 2}, Bytes(9000, 2)},
                             {{1, 1, 3}, Bytes(7381, 3)}});
  ASSERT_EQ(r.error, "");
  const Bytes& b = r.image;
  EXPECT_EQ(Bytes(b.begin() + 8195, b.begin() + 8198), (Bytes{2, 3, 0}));
  // The third fills block 2 exactly: 3 + 9000 + 7381 = 16384.
  EXPECT_EQ(Bytes(b.begin() + 8198, b.begin() + 8201), (Bytes{2, 0x2B, 0x23}));  // 9003
  EXPECT_EQ(std::string(b.begin() + 32768, b.begin() + 32771), "GUT");
  EXPECT_EQ(b.size(), 3u * 16384);
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t block = b[8192 + 3 * i];
    const std::size_t offset = codec::LoadLe<std::uint16_t>(b.data() + 8193 + 3 * i);
    const std::size_t size = i == 2 ? 7381 : 9000;
    EXPECT_LE(offset + size, 16384u) << i;
    EXPECT_EQ(b[block * 16384 + offset], i + 1) << i;
  }
}

// The limits on keys and blocks are checked through datlib's project tests.
TEST(LibraryWriter, LimitsAreErrorsNamingTheResource) {
  EXPECT_EQ(Pack({{{1, 1, 1}, Bytes(16381, 1)}}).error, "");  // largest that fits
  PackResult tooBig = Pack({{{1, 1, 1}, Bytes(16381, 1)}, {{1, 1, 2}, Bytes(16382, 1)}});
  EXPECT_NE(tooBig.error.find("does not fit"), std::string::npos);
  EXPECT_EQ(tooBig.errorIndex, 1u);

  PackResult dup = Pack({{{1, 1, 1}, {1}}, {{1, 1, 1}, {2}}});
  EXPECT_NE(dup.error.find("twice"), std::string::npos);

  EXPECT_NE(Pack({{{1, 1, 1}, {}}}).error.find("empty"), std::string::npos);
}

class LibraryReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = Pack({{{1, 1, 1}, {9, 8, 7}}, {{1, 1, 2}, {6, 5}}, {{2, 1, 1}, {4, 4, 4, 4}}}).image;
  }
  std::optional<LibraryView> Read() {
    problems_.clear();
    return ReadLibrary(image_, problems_);
  }
  bool Mentions(const std::string& word) const {
    for (const LibProblem& p : problems_) {
      if (p.message.find(word) != std::string::npos) return true;
    }
    return false;
  }
  Bytes image_;
  std::vector<LibProblem> problems_;
};

// The title, locations, extents and bytes read are checked by datlib's dump
// and check tests too.
TEST_F(LibraryReaderTest, TellsTheKeysOfAGroupApart) {
  auto lib = Read();
  ASSERT_TRUE(lib.has_value());
  const LibEntry* e = lib->Find({1, 1, 2});
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->offset, 6);
  EXPECT_EQ(lib->Find({1, 1, 3}), nullptr);
}

// Each damage alone makes the image unreadable; `word` is in a problem.
TEST_F(LibraryReaderTest, RejectsBrokenHeadersLocationsTagsOrderAndDuplicates) {
  const Bytes good = image_;
  const struct {
    const char* what;
    std::vector<std::pair<std::size_t, std::uint8_t>> edits;
    const char* word;
  } cases[] = {
      {"magic", {{0, 'X'}}, "LIB"},
      {"directory not whole keys", {{12, 4}}, ""},
      {"2730 keys", {{12, 0xFE}, {13, 0x1F}}, "location table"},
      {"location in the header page", {{8192, 0}}, ""},
      {"location past the file", {{8192, 9}}, ""},
      {"location inside the tag", {{8193, 1}, {8194, 0}}, ""},
      {"offset past the block", {{8193, 0xFF}, {8194, 0x40}}, ""},
      {"the map's tag", {{32768, 'X'}}, "MAP"},
      {"type 0", {{22, 0}}, ""},
      {"type 2 before type 1", {{16, 2}, {22, 1}}, "order"},
      {"a key twice", {{21, 1}}, "twice"},
  };
  for (const auto& c : cases) {
    image_ = good;
    for (const auto& [at, value] : c.edits) image_[at] = value;
    EXPECT_FALSE(Read()) << c.what;
    EXPECT_TRUE(Mentions(c.word)) << c.what;
  }
  image_.resize(8195);  // cut inside the location table
  EXPECT_FALSE(Read());
  EXPECT_FALSE(ReadLibrary(Bytes{'L', 'I', 'B'}, problems_));
  EXPECT_FALSE(ReadLibrary(Bytes{}, problems_));
}

// The type table drives both the writer and the reader: a library of any
// type's resource reads back with its block under the type's own tag, and a
// block whose tag is wrong is refused, naming the tag it should have. Numbers
// outside the table are no type to either.
TEST(ResTypes, WriterAndReaderAgreeOnEveryTypeAndTag) {
  std::set<std::string> tags;
  for (const ResTypeInfo& info : AllResTypes()) {
    SCOPED_TRACE(info.name);
    EXPECT_EQ(FindResType(static_cast<std::uint8_t>(info.type)), &info);
    EXPECT_EQ(FindResTypeByName(info.name), &info);
    EXPECT_TRUE(tags.insert(info.tag).second) << "tag used twice: " << info.tag;
    const ResKey key{static_cast<std::uint8_t>(info.type), 1, 1};
    Bytes image = Pack({{key, {7, 7}}}).image;
    std::vector<LibProblem> problems;
    const auto lib = ReadLibrary(image, problems);
    ASSERT_TRUE(lib);
    ASSERT_NE(lib->Find(key), nullptr);
    EXPECT_EQ(std::string(image.begin() + 16384, image.begin() + 16387), info.tag);
    image[16386] ^= 0x20;
    problems.clear();
    EXPECT_FALSE(ReadLibrary(image, problems));
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems[0].message.find(info.tag), std::string::npos) << problems[0].message;
  }
  for (int type = 0; type < 256; ++type) {
    if (FindResType(static_cast<std::uint8_t>(type))) continue;
    EXPECT_NE(Pack({{{static_cast<std::uint8_t>(type), 1, 1}, {1}}}).error.find("unknown"),
              std::string::npos)
        << type;
  }
}

// Every table: fields inside the record, none overlapping, list elements
// inside their element size. A slip in an offset shows up here.
TEST(RecordLayouts, FieldsTileTheirRecordWithoutOverlap) {
  for (const RecordLayout& l : AllRecordLayouts()) {
    std::vector<int> owner(l.size, -1);
    for (std::size_t i = 0; i < l.fields.size(); ++i) {
      const Field& f = l.fields[i];
      const std::size_t size = f.kind == FieldKind::kTailText ? 0 : f.size;
      if (f.kind == FieldKind::kTailText) {
        EXPECT_EQ(f.offset, l.size) << l.name << "." << f.name;
      }
      ASSERT_LE(f.offset + size, l.size) << l.name << "." << f.name;
      for (std::size_t b = f.offset; b < f.offset + size; ++b) {
        EXPECT_EQ(owner[b], -1) << l.name << "." << f.name << " overlaps at byte " << b;
        owner[b] = static_cast<int>(i);
      }
    }
    if (l.list != nullptr) {
      ASSERT_LT(l.list->countOffset, l.size);
      ASSERT_NE(owner[l.list->countOffset], -1) << l.name;
      EXPECT_TRUE(l.fields[owner[l.list->countOffset]].counted) << l.name;
      EXPECT_EQ(l.list->listOffset, l.size) << l.name;
      for (const Field& f : l.list->element) EXPECT_LE(f.offset + f.size, l.list->elementSize);
    }
  }
}

// The keys datlib's record tests (tests/tools/datlib) do not compile: the
// other group of map characters and the groups that hold no record.
TEST(RecordLayouts, KeysPickTheirLayout) {
  EXPECT_EQ(LayoutForKey({3, 2, 5})->kind, RecordKind::kMapCharacter);
  EXPECT_EQ(LayoutForKey({3, 5, 1}), nullptr);
  EXPECT_EQ(LayoutForKey({12, 3, 1}), nullptr);
  EXPECT_EQ(LayoutForKey({5, 1, 1}), nullptr);  // animations have their own reader
  EXPECT_EQ(LayoutByName("item"), LayoutForKey({6, 1, 1}));
}

TEST(RecordSize, FixedListAndTailText) {
  EXPECT_EQ(RecordSize(*LayoutForKey({6, 1, 1}), Bytes(140)), 134u);
  const RecordLayout& levels = *LayoutForKey({12, 2, 1});
  Bytes lv(4 + 2 * 20);
  lv[2] = 2;
  EXPECT_EQ(RecordSize(levels, lv), 44u);

  const RecordLayout& magic = *LayoutForKey({4, 1, 1});
  Bytes m(26);
  m.insert(m.end(), {'a', 'b'});
  EXPECT_EQ(RecordSize(magic, m), 0u);  // description without its zero
  m.insert(m.end(), {0, 7});
  EXPECT_EQ(RecordSize(magic, m), 29u);
}

TEST(AnimationPictures, SizeFollowsTheHeaderAndStaysInside) {
  // w 10 → 2 bytes a row, h 3, depth 2: 6 + 2 * 3 * 2 = 18.
  Bytes b = {0, 0, 0, 0, 0, 0, 0, 0, 10, 3, 1, 2};  // the picture's header at 6
  b.resize(6 + 18);
  EXPECT_EQ(anim::PictureSize(b, 6), 18u);
  b[6 + 5] = 1;  // depth 1 → 12
  EXPECT_EQ(anim::PictureSize(b, 6), 12u);
  b[6 + 3] = 200;
  EXPECT_EQ(anim::PictureSize(b, 6), 0u);
  EXPECT_EQ(anim::PictureSize(b, 20), 0u);
}

}  // namespace
}  // namespace rpgfmt
