// BitBlt and StretchBlt: raster operations, colour conversion, clipping.

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/platform/gdi/canvas_fixture.h"

namespace plat::test {
namespace {

using Rows = std::vector<std::string>;
using Words = std::vector<std::uint32_t>;

void SetWords(TestCanvas& canvas, const Words& words) {
  for (std::size_t x = 0; x < words.size(); ++x) canvas.bitmap->row32(0)[x] = words[x];
}

// Every stored word, row by row.
Words AllWords(const TestCanvas& canvas) {
  Words words;
  for (int y = 0; y < canvas.bitmap->height(); ++y) {
    for (int x = 0; x < canvas.bitmap->width(); ++x) words.push_back(canvas.Word(x, y));
  }
  return words;
}

// Stores word(x, y) in every pixel.
template <class Word>
void Paint(TestCanvas& canvas, Word word) {
  for (int y = 0; y < canvas.bitmap->height(); ++y) {
    for (int x = 0; x < canvas.bitmap->width(); ++x) canvas.bitmap->row32(y)[x] = word(x, y);
  }
}

TEST(BlitTest, RasterOperationsWorkOnTheWholeWord) {
  TestCanvas src(4, 1), dst(4, 1);
  SetWords(src, {0x00F0F0F0, 0xFF000001, 0x00123456, 0});
  const Words d0 = {0x000F0F0F, 0x00FFFFFF, 0x00123456, 0x00ABCDEF};
  struct Case {
    DWORD rop;
    Words expected;
  } cases[] = {
      {SRCCOPY, {0x00F0F0F0, 0xFF000001, 0x00123456, 0}},
      {SRCAND, {0x00000000, 0x00000001, 0x00123456, 0}},
      {SRCPAINT, {0x00FFFFFF, 0xFFFFFFFF, 0x00123456, 0x00ABCDEF}},
      {SRCINVERT, {0x00FFFFFF, 0xFFFFFFFE, 0, 0x00ABCDEF}},
      {DSTINVERT, {0xFFF0F0F0, 0xFF000000, 0xFFEDCBA9, 0xFF543210}},
  };
  for (const Case& c : cases) {
    SetWords(dst, d0);
    EXPECT_EQ(BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, c.rop), 1);
    EXPECT_EQ(AllWords(dst), c.expected) << std::hex << c.rop;
  }
  EXPECT_EQ(BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 0x00BB0226), 0);  // unsupported
  EXPECT_EQ(BitBlt(dst.dc, 0, 0, 4, 1, nullptr, 0, 0, SRCCOPY), 0);
}

TEST(BlitTest, DstInvertTwiceRestoresAndGetPixelDropsTheTopByte) {
  TestCanvas canvas(2, 1);
  SetWords(canvas, {0x00102030, 0x00FFFFFF});
  BitBlt(canvas.dc, 0, 0, 2, 1, nullptr, 0, 0, DSTINVERT);
  EXPECT_EQ(canvas.Word(0, 0), 0xFFEFDFCFu);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(0xEF, 0xDF, 0xCF));
  BitBlt(canvas.dc, 0, 0, 2, 1, nullptr, 0, 0, DSTINVERT);
  EXPECT_EQ(AllWords(canvas), (Words{0x00102030, 0x00FFFFFF}));
}

TEST(BlitTest, MonochromeOntoColourTakesTheDestinationColours) {
  TestCanvas mono(2, 1, 1), dst(2, 1);
  SetPixel(mono.dc, 0, 0, 0);  // 0 bit, then a 1 bit
  SetTextColor(dst.dc, RGB(1, 2, 3));
  SetBkColor(dst.dc, RGB(4, 5, 6));
  SetTextColor(mono.dc, RGB(9, 9, 9));  // the source DC's colours play no part
  SetBkColor(mono.dc, RGB(8, 8, 8));
  BitBlt(dst.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(AllWords(dst), (Words{0x00010203, 0x00040506}));
}

TEST(BlitTest, ColourOntoMonochromeComparesWithTheSourceBackColour) {
  TestCanvas src(4, 1), mono(4, 1, 1);
  SetWords(src, {0x00FFFFFF, 0x00000000, 0x00123456, 0xFF123456});
  SetBkColor(src.dc, RGB(0x12, 0x34, 0x56));
  BitBlt(mono.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY);
  // Only the exact word matches; white is not special and the top byte counts.
  EXPECT_EQ(mono.Art(), (Rows{"##.#"}));
  BitBlt(mono.dc, 0, 0, 4, 1, nullptr, 0, 0, DSTINVERT);
  EXPECT_EQ(mono.Art(), (Rows{"..#."}));
}

TEST(BlitTest, MonochromeToMonochromeWithOperations) {
  TestCanvas a(18, 1, 1), b(18, 1, 1);
  for (int x = 0; x < 18; x += 2) SetPixel(a.dc, x, 0, 0);
  BitBlt(b.dc, 1, 0, 17, 1, a.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(b.Art(), (Rows{".#.#.#.#.#.#.#.#.#"}));
  BitBlt(b.dc, 0, 0, 18, 1, a.dc, 0, 0, SRCAND);  // complementary patterns
  EXPECT_EQ(b.Art(), (Rows{"##################"}));
}

// A 3x3 source of distinct words copied at every offset around a 3x3
// destination: exactly the overlapping pixels change.
TEST(BlitTest, ClippingAtEveryEdgeOfBothBitmaps) {
  TestCanvas src(3, 3);
  Paint(src, [](int x, int y) { return std::uint32_t(0x10 * y + x + 1); });
  for (int dy = -4; dy <= 4; ++dy) {
    for (int dx = -4; dx <= 4; ++dx) {
      for (int sy = -2; sy <= 2; sy += 2) {
        for (int sx = -2; sx <= 2; sx += 2) {
          TestCanvas dst(3, 3, 32, 0);
          BitBlt(dst.dc, dx, dy, 3, 3, src.dc, sx, sy, SRCCOPY);
          for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x) {
              const int u = x - dx + sx, v = y - dy + sy;  // source pixel under (x, y)
              const bool inside = x - dx >= 0 && x - dx < 3 && y - dy >= 0 && y - dy < 3 &&
                                  u >= 0 && u < 3 && v >= 0 && v < 3;
              const std::uint32_t expected = inside ? std::uint32_t(0x10 * v + u + 1) : 0;
              ASSERT_EQ(dst.Word(x, y), expected) << "dst " << dx << "," << dy << " src " << sx
                                                  << "," << sy << " at " << x << "," << y;
            }
          }
        }
      }
    }
  }
}

TEST(BlitTest, OverlappingCopyWithinOneBitmap) {
  TestCanvas canvas(5, 5, 32, 0);
  Paint(canvas, [](int x, int y) { return std::uint32_t(10 * y + x); });
  BitBlt(canvas.dc, 1, 1, 4, 4, canvas.dc, 0, 0, SRCCOPY);
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 5; ++x) EXPECT_EQ(canvas.Word(x, y), std::uint32_t(10 * (y - 1) + x - 1));
  }
  BitBlt(canvas.dc, 0, 0, 4, 4, canvas.dc, 1, 1, SRCINVERT);  // reads before it writes
  EXPECT_EQ(canvas.Word(0, 0), 0u ^ 0u);
  EXPECT_EQ(canvas.Word(3, 3), std::uint32_t(22 ^ 33));
}

TEST(StretchBltTest, EqualSizesAreExactlyBitBlt) {
  TestCanvas src(4, 4), a(6, 6, 32, 0), b(6, 6, 32, 0);
  Paint(src, [](int x, int y) { return std::uint32_t(0xFF000000 | (y * 4 + x)); });
  StretchBlt(a.dc, -1, 3, 4, 4, src.dc, 1, -1, 4, 4, SRCPAINT);
  BitBlt(b.dc, -1, 3, 4, 4, src.dc, 1, -1, SRCPAINT);
  EXPECT_EQ(AllWords(a), AllWords(b));
}

TEST(StretchBltTest, NearestNeighbourScaling) {
  TestCanvas src(2, 2), big(4, 4, 32, 0), small(1, 1, 32, 0);
  Paint(src, [](int x, int y) { return std::uint32_t(1 + x + 2 * y); });  // 1 2 / 3 4
  StretchBlt(big.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(AllWords(big), (Words{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
  StretchBlt(small.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(small.Word(0, 0), 4u);  // the pixel under the centre
  // Scaled reads that fall outside the source leave the destination alone.
  TestCanvas partial(4, 1, 32, 0x77);
  StretchBlt(partial.dc, 0, 0, 4, 1, src.dc, 1, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(AllWords(partial), (Words{2, 2, 0x770000, 0x770000}));
  EXPECT_EQ(StretchBlt(big.dc, 0, 0, -4, 4, src.dc, 0, 0, 2, 2, SRCCOPY), 0);
}

TEST(StretchBltTest, ExtremeSizesAndPositionsAreSafe) {
  TestCanvas src(2, 2, 32, 5), dst(3, 3, 32, 0);
  StretchBlt(dst.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src.dc, INT_MIN, 0, INT_MAX, 7, SRCCOPY);
  StretchBlt(dst.dc, 0, 0, 3, 3, src.dc, INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, SRCCOPY);
  BitBlt(dst.dc, INT_MAX, INT_MIN, INT_MAX, INT_MAX, src.dc, INT_MIN, INT_MAX, SRCCOPY);
  // A huge stretch of the 2x2 source whose first quarter covers the canvas.
  StretchBlt(dst.dc, 0, 0, INT_MAX, INT_MAX, src.dc, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(AllWords(dst), Words(9, 0x050000u));
}

}  // namespace
}  // namespace plat::test
