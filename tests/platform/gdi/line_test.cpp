// MoveToEx / LineTo: coverage, direction symmetry, clipping and pen styles.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <utility>

#include "tests/platform/gdi/canvas_fixture.h"

namespace plat::test {
namespace {

using Rows = std::vector<std::string>;
using Pixels = std::set<std::pair<int, int>>;

Pixels Covered(const TestCanvas& canvas) {
  Pixels pixels;
  for (int y = 0; y < canvas.bitmap->height(); ++y) {
    for (int x = 0; x < canvas.bitmap->width(); ++x) {
      if (GetPixel(canvas.dc, x, y) == 0) pixels.insert({x, y});
    }
  }
  return pixels;
}

// Draws from the first point through the others with the DC's own pen or,
// for the call, the given one.
void Stroke(TestCanvas& canvas, std::initializer_list<POINT> points, HPEN pen = nullptr) {
  std::optional<ScopedTools> tools;
  if (pen) tools.emplace(canvas.dc, pen, CreateSolidBrush(0));
  MoveToEx(canvas.dc, points.begin()->x, points.begin()->y, nullptr);
  for (const POINT* p = points.begin() + 1; p != points.end(); ++p) LineTo(canvas.dc, p->x, p->y);
}

Pixels Line(int w, int h, int x0, int y0, int x1, int y1) {
  TestCanvas canvas(w, h);
  Stroke(canvas, {{x0, y0}, {x1, y1}});
  return Covered(canvas);
}

// The error-term walk, step by step: plot, then step the minor axis when
// error + bias > 0 (bias 1 when the minor axis runs towards smaller values).
Pixels Reference(int x0, int y0, int x1, int y1) {
  Pixels pixels;
  const int dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int major = xMajor ? std::abs(dx) : std::abs(dy);
  const int minor = xMajor ? std::abs(dy) : std::abs(dx);
  const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int bias = sMinor < 0 ? 1 : 0;
  int error = 2 * minor - major, a = xMajor ? x0 : y0, b = xMajor ? y0 : x0;
  for (int i = 0; i < major; ++i) {
    pixels.insert(xMajor ? std::pair{a, b} : std::pair{b, a});
    if (error + bias > 0) {
      b += sMinor;
      error += 2 * minor - 2 * major;
    } else {
      error += 2 * minor;
    }
    a += sMajor;
  }
  return pixels;
}

TEST(LineTest, ListedExamples) {
  EXPECT_EQ(Line(8, 8, 0, 0, 5, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
  EXPECT_EQ(Line(8, 8, 0, 0, 2, 5), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
  EXPECT_EQ(Line(8, 8, 0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  EXPECT_EQ(Line(8, 8, 4, 2, 0, 0), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
  EXPECT_EQ(Line(8, 8, 5, 0, 0, 0), (Pixels{{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}));
  EXPECT_EQ(Line(8, 8, 0, 0, 5, 0), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
  EXPECT_EQ(Line(8, 8, 3, 3, 3, 3), Pixels{});
}

TEST(LineTest, EveryOctantMatchesTheErrorWalkAndBothDirectionsAgree) {
  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> coord(0, 39);
  for (int n = 0; n < 400; ++n) {
    const int x0 = coord(random), y0 = coord(random), x1 = coord(random), y1 = coord(random);
    SCOPED_TRACE(std::to_string(x0) + "," + std::to_string(y0) + " -> " + std::to_string(x1) +
                 "," + std::to_string(y1));
    const Pixels forward = Line(40, 40, x0, y0, x1, y1);
    ASSERT_EQ(forward, Reference(x0, y0, x1, y1));
    if (x0 == x1 && y0 == y1) continue;
    Pixels withEnd = forward, backWithStart = Line(40, 40, x1, y1, x0, y0);
    withEnd.insert({x1, y1});
    backWithStart.insert({x0, y0});
    ASSERT_EQ(withEnd, backWithStart);
  }
}

TEST(LineTest, ClippedLinesCoverWhatTheUnclippedOnesDoInside) {
  // Each line is drawn on a 12x12 canvas and, shifted by 100, on a large one.
  const int lines[][4] = {{-30, -7, 40, 19}, {5, -50, 7, 60}, {20, 3, -9, 8}, {11, 11, -20, -40}};
  for (const auto& l : lines) {
    const Pixels small = Line(12, 12, l[0], l[1], l[2], l[3]);
    Pixels inside;
    for (auto [x, y] : Line(240, 240, l[0] + 100, l[1] + 100, l[2] + 100, l[3] + 100)) {
      if (x >= 100 && x < 112 && y >= 100 && y < 112) inside.insert({x - 100, y - 100});
    }
    EXPECT_EQ(small, inside) << l[0] << "," << l[1] << " -> " << l[2] << "," << l[3];
  }
}

TEST(LineTest, ExtremeCoordinatesNeitherWrapNorHang) {
  std::set<std::pair<int, int>> row5;
  for (int x = 0; x < 10; ++x) row5.insert({x, 5});
  EXPECT_EQ(Line(10, 10, INT_MIN, 5, INT_MAX, 5), row5);
  // The anti-diagonal through the whole int range crosses the canvas near its middle.
  const Pixels diagonal = Line(10, 10, INT_MAX - 4, INT_MIN + 5, INT_MIN + 5, INT_MAX - 4);
  EXPECT_LE(diagonal.size(), 10u);
  EXPECT_EQ(Line(10, 10, 3, INT_MIN, 3, INT_MAX).size(), 10u);
  EXPECT_EQ(Line(10, 10, INT_MIN, INT_MIN + 1, INT_MIN + 5, INT_MIN + 2), Pixels{});
}

TEST(LineTest, LineToMovesTheCurrentPosition) {
  TestCanvas canvas(6, 3);
  POINT old{-1, -1};
  MoveToEx(canvas.dc, 0, 0, nullptr);
  LineTo(canvas.dc, 3, 0);
  EXPECT_EQ(MoveToEx(canvas.dc, 3, 0, &old), 1);
  EXPECT_EQ(std::pair(old.x, old.y), std::pair(3, 0));
  LineTo(canvas.dc, 3, 2);
  EXPECT_EQ(canvas.Art(), (Rows{"####..", "...#..", "......"}));
}

// One row drawn left to right with a pen of the given style, in a DC whose
// back colour is red, over a green background.
std::string Styled(int style, int mode, int from = 0, int to = 30) {
  constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0);
  TestCanvas canvas(30, 1, 32, kGreen);
  SetBkColor(canvas.dc, kRed);
  SetBkMode(canvas.dc, mode);
  Stroke(canvas, {{from, 0}, {to, 0}}, CreatePen(style, 1, 0));
  return canvas.Art({{0, '#'}, {kRed, '-'}, {kGreen, '.'}})[0];
}

TEST(PenStyleTest, PatternAdvancesWhereClippedAndRestartsAtEachLineTo) {
  // Starting at x = -4, the first visible pixel is step 4 of the dots.
  EXPECT_EQ(Styled(PS_DOT, OPAQUE, -4, 30), "--###---###---###---###---###-");
  TestCanvas canvas(12, 1);
  Stroke(canvas, {{0, 0}, {4, 0}, {12, 0}}, CreatePen(PS_DOT, 1, 0));
  EXPECT_EQ(canvas.Art(), (Rows{"###.###...##"}));
}

TEST(PenStyleTest, DotPenOnADefaultDc) {
  TestCanvas canvas(11, 1, 32, RGB(0, 0, 255));
  Stroke(canvas, {{0, 0}, {10, 0}}, CreatePen(PS_DOT, 1, RGB(9, 9, 9)));
  EXPECT_EQ(canvas.Art({{RGB(9, 9, 9), 'p'}, {0xFFFFFF, 'w'}, {RGB(0, 0, 255), '.'}}),
            (Rows{"pppwwwpppw."}));
}

TEST(PenStyleTest, MonochromeLines) {
  TestCanvas canvas(8, 1, 1);
  Stroke(canvas, {{0, 0}, {8, 0}}, CreatePen(PS_DOT, 1, RGB(10, 20, 30)));
  // The pen colour differs from the (white) back colour: black; gaps white.
  EXPECT_EQ(canvas.Art(), (Rows{"###...##"}));
}

}  // namespace
}  // namespace plat::test
