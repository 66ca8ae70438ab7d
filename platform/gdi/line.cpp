#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/pen_stroke.h"

namespace plat {

int MoveToEx(HDC dc, int x, int y, POINT* old) {
  if (dc == nullptr) return 0;
  if (old) *old = dc->position;
  dc->position = {x, y};
  return 1;
}

int LineTo(HDC dc, int x, int y) {
  if (dc == nullptr) return 0;
  PenStroke stroke(*dc);
  stroke.Segment(dc->position.x, dc->position.y, x, y);
  dc->position = {x, y};
  return 1;
}

}  // namespace plat
