#include <algorithm>
#include <cstdint>

#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/ellipse_shape.h"
#include "platform/gdi/pen_stroke.h"
#include "platform/gdi/surface.h"

namespace plat {

namespace {

struct Box {
  int left, top, right, bottom;
  std::int64_t width() const { return std::int64_t(right) - left; }
  std::int64_t height() const { return std::int64_t(bottom) - top; }
};

Box Normalised(int left, int top, int right, int bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right),
          std::max(top, bottom)};
}

void FillWithBrush(DC& dc, int left, int top, int right, int bottom) {
  if (dc.brush->style == BS_NULL) return;
  FillBox(*dc.bitmap, left, top, right, bottom, InkFor(*dc.bitmap, dc.brush->color, dc.bkColor));
}

// Boxes wider than any bitmap can only be partly drawn; beyond this size the
// corner arithmetic could overflow, so such boxes are refused.
bool Drawable(const Box& box) {
  return box.width() <= kMaxEllipseSide && box.height() <= kMaxEllipseSide;
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (dc == nullptr || rect == nullptr || brush == nullptr) return 0;
  if (brush->style == BS_NULL) return 1;
  // Edges far outside the bitmap are pulled in first, so the shift below
  // cannot overflow and covers the same pixels.
  const Bitmap& target = *dc->bitmap;
  int left = std::clamp(rect->left, -2, target.width() + 2);
  int right = std::clamp(rect->right, -2, target.width() + 2);
  int top = std::clamp(rect->top, -2, target.height() + 2);
  int bottom = std::clamp(rect->bottom, -2, target.height() + 2);
  // A reversed box covers the pixels from the smaller edge + 1 to the larger one.
  if (right < left) std::swap(left, right), ++left, ++right;
  if (bottom < top) std::swap(top, bottom), ++top, ++bottom;
  FillBox(*dc->bitmap, left, top, right, bottom, InkFor(*dc->bitmap, brush->color, dc->bkColor));
  return 1;
}

int Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (dc == nullptr) return 0;
  const Box box = Normalised(left, top, right, bottom);
  if (box.width() == 0 || box.height() == 0 || !Drawable(box)) return 1;
  PenStroke stroke(*dc);
  if (!stroke.visible()) {
    FillWithBrush(*dc, box.left, box.top, box.right - 1, box.bottom - 1);
    return 1;
  }
  FillWithBrush(*dc, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
  const int r = box.right - 1, b = box.bottom - 1;
  stroke.Segment(box.left, box.top, r, box.top);
  stroke.Segment(r, box.top, r, b);
  stroke.Segment(r, b, box.left, b);
  stroke.Segment(box.left, b, box.left, box.top);
  return 1;
}

int Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (dc == nullptr) return 0;
  Box box = Normalised(left, top, right, bottom);
  if (box.width() == 0 || box.height() == 0 || !Drawable(box)) return 1;
  if (box.width() <= 2 || box.height() <= 2)
    return Rectangle(dc, box.left, box.top, box.right, box.bottom);
  PenStroke stroke(*dc);
  if (!stroke.visible()) {
    // Without a pen the brush covers the ellipse one pixel smaller, outline included.
    --box.right;
    --box.bottom;
    if (box.width() <= 2 || box.height() <= 2) {
      FillWithBrush(*dc, box.left, box.top, box.right, box.bottom);
      return 1;
    }
  }
  const EllipseShape shape = TraceEllipse(box.left, box.top, box.right, box.bottom);
  if (dc->brush->style != BS_NULL) {
    const Ink ink = InkFor(*dc->bitmap, dc->brush->color, dc->bkColor);
    for (const EllipseShape::Span& span : shape.fill)
      FillSpan(*dc->bitmap, span.y, span.x0, span.x1, ink);
    if (!stroke.visible()) {
      for (const POINT& p : shape.outline) PlotPixel(*dc->bitmap, p.x, p.y, ink);
    }
  }
  if (stroke.visible()) {
    for (const POINT& p : shape.outline) stroke.Plot(p.x, p.y);
  }
  return 1;
}

}  // namespace plat
