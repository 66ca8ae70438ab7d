#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <tuple>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/text.h"
#include "tests/platform/gdi/canvas_fixture.h"
#include "tests/support/golden.h"

namespace plat {
namespace {

constexpr const char* kFaces[] = {"宋体", "楷体_GB2312", "黑体"};
constexpr int kHeights[] = {12, 16, 24};

using test::MakeFont;

// A test canvas that also owns the font selected into it.
class Target : public test::TestCanvas {
 public:
  using TestCanvas::TestCanvas;
  ~Target() { Select(DefaultFont()); }

  int width() const { return bitmap->width(); }
  int height() const { return bitmap->height(); }

  void UseFont(int size, const char* face) {
    HFONT font = MakeFont(size, face);
    ASSERT_NE(font, nullptr) << LastFontError();
    Select(font);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  void Text(int x, int y, const char* text, int mode) {
    SetBkMode(dc, mode);
    EXPECT_EQ(TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text))), 1);
  }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) pixels.push_back(At(x, y));
    }
    return pixels;
  }

 private:
  void Select(HFONT font) {
    HGDIOBJ old = SelectObject(dc, static_cast<HGDIOBJ>(font));
    if (old && old != DefaultFont()) DeleteObject(old);
  }
};

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

TEST(TextMetrics, CellsFollowTheHeight) {
  for (const char* face : kFaces) {
    for (int height : kHeights) {
      Target target(4, 4);
      target.UseFont(height, face);
      TEXTMETRICA tm;
      ASSERT_EQ(GetTextMetricsA(target.dc, &tm), 1);
      EXPECT_EQ(tm.tmHeight, height);
      EXPECT_EQ(tm.tmAveCharWidth, height / 2);
      EXPECT_EQ(tm.tmAscent + tm.tmDescent, height);
      EXPECT_GT(tm.tmAscent, height / 2);
      EXPECT_GT(tm.tmDescent, 0);
      // Text, its length, and its width in half cells.
      for (auto [text, length, halves] :
           {std::tuple{"永和ABC123", 10, 10}, {"A", 1, 1}, {"永", 2, 2}}) {
        SIZE size;
        ASSERT_EQ(GetTextExtentPoint32A(target.dc, text, length, &size), 1);
        EXPECT_EQ(size.cx, halves * height / 2) << text;
        EXPECT_EQ(size.cy, height);
      }
    }
  }
}

TEST(TextMetrics, NewContextUsesTheDefaultFont) {
  Target target(4, 4);
  TEXTMETRICA tm;
  ASSERT_EQ(GetTextMetricsA(target.dc, &tm), 1);
  EXPECT_EQ(tm.tmHeight, kDefaultFontHeight);
  EXPECT_EQ(tm.tmAveCharWidth, kDefaultFontHeight / 2);
}

TEST(TextOut, ArgumentsAreChecked) {
  Target target(8, 8);
  SIZE size{7, 7};
  TEXTMETRICA tm;
  EXPECT_EQ(TextOutA(nullptr, 0, 0, "A", 1), 0);
  EXPECT_EQ(TextOutA(target.dc, 0, 0, "A", -1), 0);
  EXPECT_EQ(TextOutA(target.dc, 0, 0, nullptr, 1), 0);
  EXPECT_EQ(GetTextExtentPoint32A(target.dc, "A", -1, &size), 0);
  EXPECT_EQ(GetTextExtentPoint32A(target.dc, "A", 1, nullptr), 0);
  EXPECT_EQ(GetTextMetricsA(nullptr, &tm), 0);
  EXPECT_EQ(GetTextMetricsA(target.dc, nullptr), 0);
  EXPECT_EQ(size.cx, 7);
  // Nothing to draw is still a success, and paints nothing even when opaque.
  SetBkColor(target.dc, 0x0000FF);
  EXPECT_EQ(TextOutA(target.dc, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(TextOutA(target.dc, 0, 0, "A", 0), 1);
  EXPECT_EQ(GetTextExtentPoint32A(target.dc, "", 0, &size), 1);
  EXPECT_EQ(size.cx, 0);
  for (COLORREF pixel : target.Pixels()) EXPECT_EQ(pixel, kWhite);
}

// The glyph pixels of a string: black where drawn on white.
std::vector<bool> GlyphMask(int width, int height, int x, int y, const char* text, int size,
                            const char* face) {
  Target target(width, height);
  target.UseFont(size, face);
  target.Text(x, y, text, OPAQUE);
  std::vector<bool> mask;
  for (COLORREF pixel : target.Pixels()) mask.push_back(pixel == kBlack);
  return mask;
}

std::vector<COLORREF> Drawn(const char* text, int len, int width = 40) {
  Target target(width, 14);
  target.UseFont(12, "宋体");
  SetBkColor(target.dc, 0x808080);
  EXPECT_EQ(TextOutA(target.dc, 1, 1, text, len), 1);
  return target.Pixels();
}

TEST(TextOut, InvalidBytesDrawBlankHalfCells) {
  EXPECT_EQ(Drawn("\xB0" "A", 2), Drawn(" A", 2));      // lead byte before ASCII
  EXPECT_EQ(Drawn("A\xB0", 2), Drawn("A ", 2));         // lead byte at the end
  EXPECT_EQ(Drawn("\xB0\xFF" "B", 3), Drawn("  B", 3));  // lead with a bad trail
  EXPECT_EQ(Drawn("\x80\xFE", 2), Drawn("  ", 2));      // not lead bytes
  EXPECT_EQ(Drawn("A\0B", 3), Drawn("A B", 3));         // NUL inside the length
  EXPECT_EQ(Drawn("\xB0\xA1", 2), Drawn("啊", 2));
  EXPECT_NE(Drawn("\xB0\xA1", 2), Drawn("  ", 2));
}

// Text drawn across an edge of a small target must equal the same text drawn
// wholly inside a larger one, cut to the small one's area.
void ExpectClippedLikeLarger(int bpp, int x, int y, int mode) {
  constexpr int kW = 30, kH = 20, kMargin = 40;
  constexpr COLORREF kGround = 0xFFFFFF;
  Target small(kW, kH, bpp, kGround);
  Target large(kW + 2 * kMargin, kH + 2 * kMargin, bpp, kGround);
  for (Target* target : {&small, &large}) {
    target->UseFont(16, "黑体");
    SetBkColor(target->dc, kBlack);
    SetTextColor(target->dc, kWhite);
  }
  small.Text(x, y, "中A国", mode);
  large.Text(x + kMargin, y + kMargin, "中A国", mode);
  for (int py = 0; py < kH; ++py) {
    for (int px = 0; px < kW; ++px) {
      ASSERT_EQ(small.At(px, py), large.At(px + kMargin, py + kMargin))
          << "bpp " << bpp << " text at " << x << "," << y << " pixel " << px << "," << py;
    }
  }
}

TEST(TextOut, ClipsAtEveryEdge) {
  const std::pair<int, int> origins[] = {{-9, 2},  {-35, -3}, {4, -11}, {20, 3},
                                         {25, 10}, {-3, 15},  {1, 1}};
  for (int bpp : {32, 1}) {
    for (auto [x, y] : origins) {
      ExpectClippedLikeLarger(bpp, x, y, OPAQUE);
      ExpectClippedLikeLarger(bpp, x, y, TRANSPARENT);
    }
  }
}

TEST(TextOut, FarCoordinatesDrawNothing) {
  Target target(16, 16);
  target.UseFont(24, "楷体_GB2312");
  SetBkColor(target.dc, kBlack);
  const std::pair<int, int> origins[] = {
      {INT_MAX - 3, 0}, {INT_MIN, 0}, {0, INT_MAX - 3}, {0, INT_MIN}, {-48, 0}, {16, 0}};
  for (auto [x, y] : origins) target.Text(x, y, "永永", OPAQUE);
  for (COLORREF pixel : target.Pixels()) EXPECT_EQ(pixel, kWhite);
}

TEST(TextOut, MonochromeTargetUsesMonoColourRules) {
  const std::vector<bool> mask = GlyphMask(40, 16, 2, 1, "永Ab", 12, "宋体");
  auto expectPixels = [](const Target& target, auto expected) {
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 40; ++x) ASSERT_EQ(target.At(x, y), expected(x, y)) << x << "," << y;
    }
  };
  // Black text on a white box over a black ground.
  Target mono(40, 16, 1, kBlack);
  mono.UseFont(12, "宋体");
  mono.Text(2, 1, "永Ab", OPAQUE);
  expectPixels(mono, [&](int x, int y) {
    const bool inBox = x >= 2 && x < 26 && y >= 1 && y < 13;
    return inBox && !mask[y * 40 + x] ? kWhite : kBlack;
  });
  // A colour that is neither black nor white nor the back colour stores the
  // opposite of the back colour's bit: on a white back, black.
  Target tinted(40, 16, 1, kWhite);
  tinted.UseFont(12, "宋体");
  SetTextColor(tinted.dc, 0x2080FF);
  tinted.Text(2, 1, "永Ab", TRANSPARENT);
  expectPixels(tinted, [&](int x, int y) { return mask[y * 40 + x] ? kBlack : kWhite; });
}

// All nine fonts of the device, each printing one line opaque (white on a
// dark box) and one transparent (black over stripes): the cell boxes, the
// glyphs, and a transparent background left as it was.
TEST(TextOut, NineFontsMatchTheirGolden) {
  constexpr int kColumn = 4 + 5 * 24 + 8;  // where the transparent lines start
  constexpr int kWidth = 2 * kColumn, kHeight = 4 + 3 * (16 + 20 + 28);
  Target target(kWidth, kHeight, 32, 0x303030);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = kColumn - 4; x < kWidth; ++x) {
      SetPixel(target.dc, x, y, (x + y) / 2 % 2 ? 0xF0E0A0 : 0xA0D0F0);
    }
  }
  int y = 4;
  for (int height : kHeights) {
    for (const char* face : kFaces) {
      target.UseFont(height, face);
      SetTextColor(target.dc, kWhite);
      SetBkColor(target.dc, 0x804000);
      target.Text(4, y, "永和ABC123", OPAQUE);
      SetTextColor(target.dc, kBlack);
      target.Text(kColumn, y, "永和ABC123", TRANSPARENT);
      y += height + 4;
    }
  }
  EXPECT_TRUE(testsupport::MatchesGolden(*target.bitmap, "fonts/fonts"));
}

}  // namespace
}  // namespace plat
