#include "rpg/format/map.h"
#include "rpg/format/picture.h"

#include <gtest/gtest.h>

#include <random>

#include "rpg/format/tileset.h"

namespace rpgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;

Picture OneRow(int depth, std::vector<std::uint8_t> pixels) {
  Picture p;
  p.width = static_cast<int>(pixels.size()), p.height = 1, p.depth = depth;
  p.frames.push_back(std::move(pixels));
  return p;
}

TEST(PictureView, GivesEachFrameInPlaceAndLeavesTrailingBytes) {
  // 9 x 2, depth 1: 2 bytes a row, 4 a frame; two frames, then a stray byte.
  const Bytes bytes = {0, 0, 9, 2, 2, 1, 1, 2, 3, 4, 5, 6, 7, 8, 0xEE};
  const auto view = ViewPicture(bytes);
  ASSERT_TRUE(view) << view.error().Text();
  EXPECT_EQ(view->frames, 2);
  EXPECT_EQ(view->frameBytes, 4u);
  EXPECT_EQ(view->Size(), bytes.size() - 1);
  EXPECT_EQ(Bytes(view->Frame(1).begin(), view->Frame(1).end()), (Bytes{5, 6, 7, 8}));
  EXPECT_EQ(ViewPicture(std::span(bytes).first(13)).error().offset, kPicFramesOffset);
}

TEST(PictureDecode, RejectsHostileHeadersNamingTheField) {
  const struct {
    const char* what;
    Bytes bytes;
    std::size_t offset;
  } cases[] = {
      {"short header", {0, 0, 8, 8, 1}, 0},
      {"zero width", {0, 0, 0, 8, 1, 1, 0}, 2},
      {"zero height", {0, 0, 8, 0, 1, 1, 0}, 2},
      {"depth 3", {0, 0, 8, 1, 1, 3, 0}, 5},
      {"no frames", {0, 0, 8, 1, 0, 1}, 4},
      {"one row short", {0, 0, 8, 2, 1, 1, 0xFF}, 4},
  };
  for (const auto& c : cases) {
    const auto r = DecodePicture(c.bytes);
    ASSERT_FALSE(r) << c.what;
    EXPECT_EQ(r.error().offset, c.offset) << c.what << ": " << r.error().Text();
  }
  EXPECT_TRUE(DecodePicture(Bytes{0, 0, 8, 2, 1, 1, 0xFF, 0}));
}

TEST(PictureCheck, RejectsWhatTheFormatCannotHold) {
  Picture ragged = OneRow(1, {0, 1, 0}), none = OneRow(1, {0});
  ragged.frames.push_back({0, 1});
  none.frames.clear();
  const Picture cases[] = {OneRow(1, {0, 2}),  // transparency needs depth 2
                           OneRow(2, {0, 4}), OneRow(1, std::vector<std::uint8_t>(256)), ragged, none};
  for (const Picture& p : cases) EXPECT_NE(CheckPicture(p), "") << p.width << " wide, depth " << p.depth;
}

Picture Tiles(int count, int side, int depth) {
  Picture p;
  p.width = side, p.height = side, p.depth = depth;
  p.frames.assign(static_cast<std::size_t>(count), std::vector<std::uint8_t>(side * side, 1));
  return p;
}

TEST(TileSet, HoldsUpTo128OpaqueTilesOf16Pixels) {
  EXPECT_EQ(CheckTileSet(Tiles(128, 16, 1)), "");
  EXPECT_NE(CheckTileSet(Tiles(129, 16, 1)), "");
  EXPECT_NE(CheckTileSet(Tiles(4, 8, 1)), "");
  EXPECT_NE(CheckTileSet(Tiles(4, 16, 2)), "");
  const Bytes bytes = EncodePicture(Tiles(3, 16, 1));
  EXPECT_EQ(bytes.size(), 6u + 3 * 32);
  EXPECT_TRUE(DecodeTileSet(bytes));
  EXPECT_FALSE(DecodeTileSet(EncodePicture(Tiles(3, 16, 2))));
}

Map SampleMap(int w, int h, unsigned seed) {
  Map m;
  m.id1 = 3, m.id2 = 4, m.tileSet = 2, m.width = w, m.height = h;
  m.name = {'T', 'o', 'w', 'n'};
  std::mt19937 rng(seed);
  for (int i = 0; i < w * h; ++i) {
    m.cells.push_back({static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng())});
  }
  return m;
}

TEST(MapLayout, RejectsSmallOrTruncatedMapsAndIgnoresTrailingBytes) {
  EXPECT_NE(CheckMap(SampleMap(8, 6, 3)), "");
  EXPECT_NE(CheckMap(SampleMap(9, 5, 3)), "");
  EXPECT_EQ(CheckMap(SampleMap(9, 6, 3)), "");
  std::vector<std::uint8_t> b = EncodeMap(SampleMap(9, 6, 3));
  b[16] = 8;
  EXPECT_EQ(DecodeMap(b).error().offset, 16u) << "the width";
  b[16] = 10;  // claims more cells than there are
  EXPECT_EQ(DecodeMap(b).error().Text(), "byte 16: 10x6 cells run past the end (126 bytes)");
  const std::vector<std::uint8_t> good = EncodeMap(SampleMap(9, 6, 4));
  std::vector<std::uint8_t> longer = good;
  longer.insert(longer.end(), {1, 2, 3});
  EXPECT_EQ(DecodeMap(longer)->size, good.size());
  for (std::size_t n = 0; n < good.size(); ++n) {
    const auto r = DecodeMap(std::span(good.data(), n));
    ASSERT_FALSE(r) << n << " bytes";
    EXPECT_EQ(r.error().offset, n < kMapHeaderSize ? 0u : 16u) << n << " bytes";
  }
}

}  // namespace
}  // namespace rpgfmt
