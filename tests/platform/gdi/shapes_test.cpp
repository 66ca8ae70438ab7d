// Rectangles, ellipses, FillRect and single pixels.

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "platform/gdi/ellipse_shape.h"
#include "tests/platform/gdi/canvas_fixture.h"

namespace plat::test {
namespace {

using Rows = std::vector<std::string>;

constexpr COLORREF kRed = RGB(255, 0, 0);
const std::map<COLORREF, char> kLegend = {{0x000000, '#'}, {0xFFFFFF, '.'}, {kRed, 'o'}};

// Black solid pen, red brush (or the given ones).
Rows Draw(int w, int h, int (*shape)(HDC, int, int, int, int), int l, int t, int r, int b,
          HPEN pen = nullptr, HBRUSH brush = nullptr) {
  TestCanvas canvas(w, h);
  ScopedTools tools(canvas.dc, pen ? pen : CreatePen(PS_SOLID, 1, 0),
                    brush ? brush : CreateSolidBrush(kRed));
  shape(canvas.dc, l, t, r, b);
  return canvas.Art(kLegend);
}

// Left and top inclusive, right and bottom exclusive, in whichever order the
// corners come; clipped at every edge without overflow.
TEST(FillRectTest, CoversTheHalfOpenRangeClippedToTheBitmap) {
  const struct {
    int w, h;
    RECT rect;
    Rows expected;
  } cases[] = {
      {4, 3, {0, 0, 3, 2}, {"###.", "###.", "...."}},
      {5, 4, {3, 3, 0, 1}, {".....", ".....", ".###.", ".###."}},  // right < left, bottom < top
      {3, 3, {-5, -5, 50, 50}, {"###", "###", "###"}},
      {3, 3, {3, 0, 9, 3}, {"...", "...", "..."}},
      {3, 2, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {"###", "###"}},
      {3, 2, {INT_MAX, 1, 0, INT_MIN}, {".##", ".##"}},  // x from 1, y up to 1
  };
  for (const auto& c : cases) {
    TestCanvas canvas(c.w, c.h);
    EXPECT_EQ(FillRect(canvas.dc, &c.rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
    EXPECT_EQ(canvas.Art(), c.expected) << c.rect.left << "," << c.rect.top;
    FillRect(canvas.dc, &c.rect, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(canvas.Art(), c.expected) << "a hollow brush paints nothing";
  }
}

// Outline in the pen, inside in the brush, whichever order the corners come in.
TEST(ShapeTest, OutlineAndFillOfTheBoxInAnyCornerOrder) {
  const struct {
    int (*shape)(HDC, int, int, int, int);
    int w, h, l, t, r, b;
    Rows expected;
  } cases[] = {
      {Rectangle, 6, 5, 1, 1, 5, 4, {"......", ".####.", ".#oo#.", ".####.", "......"}},
      {Rectangle, 3, 3, 1, 1, 2, 2, {"...", "...", "..."}},  // 1x1: nothing
      {Rectangle, 3, 3, 1, 1, 1, 3, {"...", "...", "..."}},  // width 0
      {Rectangle, 4, 4, 1, 1, 3, 3, {"....", ".##.", ".##.", "...."}},
      {Rectangle, 3, 5, 1, 0, 2, 4, {".#.", ".#.", ".#.", ".#.", "..."}},
      {Rectangle, 5, 3, 0, 1, 4, 2, {".....", "####.", "....."}},
      {Ellipse, 3, 3, 0, 0, 3, 3, {".#.", "#o#", ".#."}},
      {Ellipse, 4, 4, 0, 0, 4, 4, {".##.", "#oo#", "#oo#", ".##."}},
      {Ellipse, 5, 5, 0, 0, 5, 5, {".###.", "#ooo#", "#ooo#", "#ooo#", ".###."}},
      {Ellipse, 7, 5, 0, 0, 7, 5, {"..###..", "##ooo##", "#ooooo#", "##ooo##", "..###.."}},
      // Boxes up to two pixels across are rectangles.
      {Ellipse, 3, 3, 1, 1, 1, 1, {"...", "...", "..."}},  // radius 0
      {Ellipse, 4, 4, 1, 1, 3, 3, {"....", ".##.", ".##.", "...."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.l << "," << c.t << "," << c.r << "," << c.b);
    EXPECT_EQ(Draw(c.w, c.h, c.shape, c.l, c.t, c.r, c.b), c.expected);
    EXPECT_EQ(Draw(c.w, c.h, c.shape, c.r, c.b, c.l, c.t), c.expected);
    EXPECT_EQ(Draw(c.w, c.h, c.shape, c.r, c.t, c.l, c.b), c.expected);
  }
  // A styled pen shows the stroke order: a rectangle's edges, not a trace.
  EXPECT_EQ(Draw(5, 2, Ellipse, 0, 0, 5, 2, CreatePen(PS_DOT, 1, 0)), (Rows{"###..", ".###."}));
  EXPECT_EQ(Draw(2, 5, Ellipse, 0, 0, 2, 5, CreatePen(PS_DOT, 1, 0)),
            (Rows{"##", ".#", "#.", "#.", "#."}));
}

TEST(RectangleTest, NullPenFillsOneSmallerAndHollowBrushLeavesInside) {
  EXPECT_EQ(Draw(6, 5, Rectangle, 1, 1, 5, 4, CreatePen(PS_NULL, 1, 0)),
            (Rows{"......", ".ooo..", ".ooo..", "......", "......"}));
  TestCanvas canvas(6, 5, 32, kRed);
  SelectObject(canvas.dc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  Rectangle(canvas.dc, 1, 1, 5, 4);
  EXPECT_EQ(canvas.Art(kLegend), (Rows{"oooooo", "o####o", "o#oo#o", "o####o", "oooooo"}));
}

TEST(RectangleTest, SamePenAndBrushColourCoverTheHalfOpenBox) {
  TestCanvas canvas(11, 11);
  ScopedTools tools(canvas.dc, CreatePen(PS_SOLID, 1, 0), CreateSolidBrush(0));
  Rectangle(canvas.dc, 0, 0, 9, 9);
  int covered = 0;
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const bool black = GetPixel(canvas.dc, x, y) == 0;
      EXPECT_EQ(black, x < 9 && y < 9) << x << "," << y;
      covered += black;
    }
  }
  EXPECT_EQ(covered, 81);
}

TEST(EllipseTest, NullPenFillsTheEllipseOneSmaller) {
  EXPECT_EQ(Draw(6, 6, Ellipse, 0, 0, 6, 6, CreatePen(PS_NULL, 1, 0)),
            (Rows{".ooo..", "ooooo.", "ooooo.", "ooooo.", ".ooo..", "......"}));
  EXPECT_EQ(Draw(4, 4, Ellipse, 0, 0, 4, 4, CreatePen(PS_NULL, 1, 0),
                 static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))),
            (Rows{"....", "....", "....", "...."}));
}

// Every traced ellipse is one 8-connected set of pixels, each listed once,
// symmetric in both axes, with an outline pixel on every row and column of
// its box and the fill strictly between the outline on each row.
TEST(EllipseTest, TracedShapesAreConnectedSymmetricAndFilledBetween) {
  for (int w = 3; w <= 41; ++w) {
    for (int h = 3; h <= 41; h += (w < 12 ? 1 : 7)) {
      SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
      const int l = 10, t = 20;
      const EllipseShape shape = TraceEllipse(l, t, l + w, t + h);
      std::set<std::pair<int, int>> outline;
      std::set<int> rows, columns;
      for (const POINT& p : shape.outline) {
        ASSERT_TRUE(outline.insert({p.x, p.y}).second) << "repeated " << p.x << "," << p.y;
        ASSERT_TRUE(p.x >= l && p.x < l + w && p.y >= t && p.y < t + h);
        rows.insert(p.y);
        columns.insert(p.x);
      }
      EXPECT_EQ(int(rows.size()), h);
      EXPECT_EQ(int(columns.size()), w);
      for (const auto& [x, y] : outline) {
        ASSERT_TRUE(outline.count({2 * l + w - 1 - x, y})) << x << "," << y;
        ASSERT_TRUE(outline.count({x, 2 * t + h - 1 - y})) << x << "," << y;
      }
      std::set<std::pair<int, int>> reached{*outline.begin()};
      std::vector<std::pair<int, int>> todo{*outline.begin()};
      while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            if (outline.count({x + dx, y + dy}) && reached.insert({x + dx, y + dy}).second) {
              todo.push_back({x + dx, y + dy});
            }
          }
        }
      }
      EXPECT_EQ(reached.size(), outline.size()) << "outline is not connected";
      for (const EllipseShape::Span& span : shape.fill) {
        ASSERT_LT(span.x0, span.x1);
        ASSERT_TRUE(outline.count({span.x0 - 1, span.y})) << "fill must start after the outline";
        ASSERT_TRUE(outline.count({span.x1, span.y})) << "fill must end at the outline";
        for (int x = span.x0; x < span.x1; ++x) ASSERT_FALSE(outline.count({x, span.y}));
      }
    }
  }
}

TEST(EllipseTest, HugeOrExtremeBoxesAreSafe) {
  // Boxes beyond any 16-bit coordinate range are not drawn; none may crash or hang.
  EXPECT_EQ(Draw(3, 3, Ellipse, INT_MIN, INT_MIN, INT_MAX, INT_MAX), (Rows{"...", "...", "..."}));
  EXPECT_EQ(Draw(3, 3, Rectangle, INT_MIN, 0, INT_MAX, 2), (Rows{"...", "...", "..."}));
  EXPECT_EQ(Draw(3, 3, Ellipse, INT_MAX - 1, 0, INT_MAX, 2), (Rows{"...", "...", "..."}));
  // A big ellipse mostly off the canvas still shows its visible part.
  const Rows big = Draw(4, 3, Ellipse, -30000, 0, 30000, 60000);
  EXPECT_EQ(big[0], "####");
  EXPECT_EQ(big[1], "oooo");
}

TEST(SurfaceTest, MaskRowsClipAtBothEnds) {
  TestCanvas canvas(4, 1);
  const std::uint8_t mask[] = {0xB5, 0xFF};  // 1011 0101
  const Ink ink = InkFor(*canvas.bitmap, 0, 0xFFFFFF);
  PlotMaskRow(*canvas.bitmap, -2, 0, mask, 0, 8, ink);  // bits 2..5 land on x 0..3
  EXPECT_EQ(canvas.Art(), (Rows{"##.#"}));
  canvas.Fill(0xFFFFFF);
  PlotMaskRow(*canvas.bitmap, 2, 0, mask, 1, 3, ink);  // bits 1, 2 land on x 2, 3
  EXPECT_EQ(canvas.Art(), (Rows{"...#"}));
  PlotMaskRow(*canvas.bitmap, INT_MIN, 0, mask, 0, 16, ink);
  PlotMaskRow(*canvas.bitmap, INT_MAX, 0, mask, 0, 16, ink);
  EXPECT_EQ(canvas.Art(), (Rows{"...#"}));
}

TEST(PixelTest, SetAndGetInsideAndOutside) {
  TestCanvas canvas(2, 2);
  EXPECT_EQ(SetPixel(canvas.dc, 1, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(canvas.dc, 1, 0), RGB(1, 2, 3));
  EXPECT_EQ(canvas.Word(1, 0), 0x00010203u);
  for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 2}}) {
    EXPECT_EQ(SetPixel(canvas.dc, x, y, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc, x, y), CLR_INVALID);
  }
  EXPECT_EQ(canvas.Art({{0xFFFFFF, '.'}, {RGB(1, 2, 3), 'x'}}), (Rows{".x", ".."}));
}

TEST(PixelTest, MonochromeStoresTheNearerOfBlackAndWhite) {
  TestCanvas canvas(3, 1, 1);
  EXPECT_EQ(SetPixel(canvas.dc, 0, 0, RGB(100, 100, 100)), 0x000000u);
  EXPECT_EQ(SetPixel(canvas.dc, 1, 0, RGB(200, 10, 200)), 0xFFFFFFu);
  EXPECT_EQ(SetPixel(canvas.dc, 2, 0, RGB(128, 127, 128)), 0xFFFFFFu);  // a tie: white
  EXPECT_EQ(canvas.Art(), (Rows{"#.."}));
}

TEST(MonoInkTest, OtherColoursFollowTheBackColour) {
  TestCanvas canvas(1, 1, 1);
  const Bitmap& mono = *canvas.bitmap;
  EXPECT_FALSE(InkFor(mono, 0x000000, 0xFFFFFF).white);
  EXPECT_TRUE(InkFor(mono, 0xFFFFFF, 0x000000).white);
  // Red is not the back colour: the opposite of the back colour's bit.
  EXPECT_FALSE(InkFor(mono, kRed, 0xFFFFFF).white);
  EXPECT_TRUE(InkFor(mono, kRed, 0x000000).white);
  // Red is the back colour: the back colour's own bit, the nearer of black and white.
  EXPECT_FALSE(InkFor(mono, kRed, kRed).white);
  EXPECT_TRUE(InkFor(mono, RGB(200, 200, 200), RGB(200, 200, 200)).white);
}

TEST(MonoShapesTest, RectangleOnAMonochromeBitmap) {
  TestCanvas canvas(5, 4, 1);
  constexpr COLORREF kGrey = RGB(200, 200, 200);
  ScopedTools tools(canvas.dc, CreatePen(PS_SOLID, 1, 0), CreateSolidBrush(kGrey));
  Rectangle(canvas.dc, 0, 0, 5, 4);
  // Grey is not the back colour (white), so the brush stores black; once it
  // is the back colour it stores the nearer of black and white.
  EXPECT_EQ(canvas.Art(), (Rows{"#####", "#####", "#####", "#####"}));
  SetBkColor(canvas.dc, kGrey);
  canvas.Fill(0xFFFFFF);
  Rectangle(canvas.dc, 0, 0, 5, 4);
  EXPECT_EQ(canvas.Art(), (Rows{"#####", "#...#", "#...#", "#####"}));
}

}  // namespace
}  // namespace plat::test
