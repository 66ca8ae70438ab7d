// One picture of every shape, pen style and blit, compared with its golden PNG.

#include <gtest/gtest.h>

#include "tests/platform/gdi/canvas_fixture.h"
#include "tests/support/golden.h"

namespace plat::test {
namespace {

constexpr COLORREF kNavy = RGB(20, 30, 90), kGold = RGB(230, 180, 40), kRed = RGB(200, 30, 30);
constexpr COLORREF kGreen = RGB(40, 160, 60), kKey = RGB(255, 0, 255), kGrey = RGB(200, 200, 200);

void Shapes(HDC dc) {
  ScopedTools tools(dc, CreatePen(PS_SOLID, 1, kGold), CreateSolidBrush(kRed));
  Rectangle(dc, 4, 4, 24, 18);
  Ellipse(dc, 28, 4, 52, 18);
  Ellipse(dc, 56, 4, 63, 9);   // 7x5
  Ellipse(dc, 66, 4, 69, 7);   // 3x3
  Ellipse(dc, 72, 4, 76, 8);   // 4x4
  Ellipse(dc, 80, 4, 83, 40);  // tall and narrow
  Ellipse(dc, 88, 4, 150, 40);
}

void PenStyles(HDC dc) {
  for (int style = PS_SOLID; style <= PS_NULL; ++style) {
    ScopedTools tools(dc, CreatePen(style, 1, kGold),
                      static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    SetBkColor(dc, kGreen);
    SetBkMode(dc, style % 2 ? OPAQUE : TRANSPARENT);
    const int y = 24 + 4 * style;
    MoveToEx(dc, 4, y, nullptr);
    LineTo(dc, 76, y);
    Rectangle(dc, 4 + 12 * style, 52, 14 + 12 * style, 62);
  }
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, 0xFFFFFF);
}

void Fan(HDC dc) {
  // Sixteen lines out of one centre: every octant, both slopes.
  ScopedTools tools(dc, CreatePen(PS_SOLID, 1, 0xFFFFFF), CreateSolidBrush(0));
  const POINT ends[] = {{30, 0},   {30, 12},  {30, 30},  {12, 30},   {0, 30},    {-12, 30},
                        {-30, 30}, {-30, 12}, {-30, 0},  {-30, -12}, {-30, -30}, {-12, -30},
                        {0, -30},  {12, -30}, {30, -30}, {30, -12}};
  for (const POINT& e : ends) {
    MoveToEx(dc, 120, 82, nullptr);
    LineTo(dc, 120 + e.x / 2 * 2, 82 + e.y * 2 / 3);
  }
}

void MaskBlit(HDC dc) {
  // A 12x12 picture with a magenta frame and ring drawn transparently twice.
  TestCanvas picture(12, 12, 32, kKey), mask(12, 12, 1);
  {
    ScopedTools tools(picture.dc, CreatePen(PS_SOLID, 1, 0), CreateSolidBrush(kGrey));
    Ellipse(picture.dc, 1, 1, 11, 11);
  }
  SetBkColor(picture.dc, kKey);
  BitBlt(mask.dc, 0, 0, 12, 12, picture.dc, 0, 0, SRCCOPY);
  BitBlt(picture.dc, 0, 0, 12, 12, mask.dc, 0, 0, SRCINVERT);
  for (int x : {4, 12}) {
    BitBlt(dc, x, 68, 12, 12, mask.dc, 0, 0, SRCAND);
    BitBlt(dc, x, 68, 12, 12, picture.dc, 0, 0, SRCPAINT);
  }
  StretchBlt(dc, 30, 66, 36, 24, picture.dc, 0, 0, 12, 12, SRCCOPY);
  BitBlt(dc, 4, 96, 60, 20, nullptr, 0, 0, DSTINVERT);
}

TEST(RasterGoldenTest, EveryShapeStyleAndBlit) {
  TestCanvas canvas(160, 120, 32, kNavy);
  Shapes(canvas.dc);
  PenStyles(canvas.dc);
  Fan(canvas.dc);
  MaskBlit(canvas.dc);
  EXPECT_TRUE(testsupport::MatchesGolden(*canvas.bitmap, "raster/shapes"));
}

}  // namespace
}  // namespace plat::test
