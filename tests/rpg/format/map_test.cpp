#include "rpg/format/map.h"

#include <gtest/gtest.h>

#include <random>

namespace rpgfmt {
namespace {

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

TEST(MapLayout, RoundTripsAndIgnoresTrailingBytes) {
  const Map m = SampleMap(20, 11, 2);
  std::vector<std::uint8_t> b = EncodeMap(m);
  b.insert(b.end(), {1, 2, 3});
  const auto r = DecodeMap(b);
  ASSERT_TRUE(r) << r.error().Text();
  EXPECT_EQ(r->size, b.size() - 3);
  EXPECT_EQ(r->map.cells, m.cells);
  EXPECT_EQ(r->map.name, m.name);
  EXPECT_EQ(EncodeMap(r->map), std::vector<std::uint8_t>(b.begin(), b.end() - 3));
}

TEST(MapLayout, RejectsMapsSmallerThanTheViewAndTruncatedCells) {
  EXPECT_NE(CheckMap(SampleMap(8, 6, 3)), "");
  EXPECT_NE(CheckMap(SampleMap(9, 5, 3)), "");
  EXPECT_EQ(CheckMap(SampleMap(9, 6, 3)), "");
  std::vector<std::uint8_t> b = EncodeMap(SampleMap(9, 6, 3));
  b[16] = 8;
  EXPECT_EQ(DecodeMap(b).error().offset, 16u) << "the width";
  b[16] = 10;  // claims more cells than there are
  EXPECT_EQ(DecodeMap(b).error().Text(), "byte 16: 10x6 cells run past the end (126 bytes)");
  const std::vector<std::uint8_t> good = EncodeMap(SampleMap(9, 6, 4));
  for (std::size_t n = 0; n < good.size(); ++n) {
    const auto r = DecodeMap(std::span(good.data(), n));
    ASSERT_FALSE(r) << n << " bytes";
    EXPECT_EQ(r.error().offset, n < kMapHeaderSize ? 0u : 16u) << n << " bytes";
  }
}

}  // namespace
}  // namespace rpgfmt
