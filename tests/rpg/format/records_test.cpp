#include "rpg/format/records.h"

#include <gtest/gtest.h>

#include <vector>

namespace rpgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;

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
