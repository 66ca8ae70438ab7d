// Lines, rectangles and ellipses: each makes a pen (and a brush where it
// fills), draws with the platform's shape call and deletes them again.

#include "host/canvas.h"
#include "host/canvas_target.h"

namespace {

// DrawLine and DrawRect know only solid and dashed.
int LineStyle(int32_t style) { return style == 1 ? plat::PS_DASH : plat::PS_SOLID; }

// Radii beyond this give boxes the platform refuses anyway; clamping keeps
// the corner arithmetic inside int.
constexpr int32_t kMaxRadius = 1 << 20;

int32_t ClampRadius(int32_t r) {
  return r > kMaxRadius ? kMaxRadius : r < -kMaxRadius ? -kMaxRadius : r;
}

void EllipseInBox(plat::HDC dc, int16_t cx, int16_t cy, int32_t r) {
  r = ClampRadius(r);
  plat::Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
}

plat::HBRUSH HollowBrush() {
  return static_cast<plat::HBRUSH>(plat::GetStockObject(plat::HOLLOW_BRUSH));
}

}  // namespace

void DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, int32_t style,
              Canvas* c) {
  plat::HDC dc = TargetDc(c);
  {
    ScopedPenBrush tools(dc, plat::CreatePen(LineStyle(style), 1, color), HollowBrush());
    plat::MoveToEx(dc, x1, y1, nullptr);
    plat::LineTo(dc, x2, y2);
  }
  FinishDrawing(c);
}

void DrawRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, int32_t style,
              Canvas* c) {
  plat::HDC dc = TargetDc(c);
  {
    ScopedPenBrush tools(dc, plat::CreatePen(LineStyle(style), 1, color), HollowBrush());
    plat::Rectangle(dc, x1, y1, x2 + 1, y2 + 1);
  }
  FinishDrawing(c);
}

void FillBox(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, Canvas* c) {
  plat::HDC dc = TargetDc(c);
  {
    ScopedPenBrush tools(dc, plat::CreatePen(plat::PS_SOLID, 1, color),
                         plat::CreateSolidBrush(color));
    plat::Rectangle(dc, x1, y1, x2, y2);
  }
  FinishDrawing(c);
}

void DrawEllipse(int16_t cx, int16_t cy, int32_t r, uint32_t color, int32_t style, Canvas* c) {
  plat::HDC dc = TargetDc(c);
  {
    ScopedPenBrush tools(dc, plat::CreatePen(style, 1, color), HollowBrush());
    EllipseInBox(dc, cx, cy, r);
  }
  FinishDrawing(c);
}

void FillEllipse(int16_t cx, int16_t cy, int32_t r, uint32_t color, Canvas* c) {
  plat::HDC dc = TargetDc(c);
  {
    ScopedPenBrush tools(dc, plat::CreatePen(plat::PS_SOLID, 1, color),
                         plat::CreateSolidBrush(color));
    EllipseInBox(dc, cx, cy, r);
  }
  FinishDrawing(c);
}
