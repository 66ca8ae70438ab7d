#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/surface.h"

namespace plat {

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  if (dc == nullptr || !dc->bitmap->contains(x, y)) return CLR_INVALID;
  Bitmap& bitmap = *dc->bitmap;
  color &= 0xFFFFFF;
  Ink ink;
  if (bitmap.mono()) {
    ink.white = NearestMono(color);
    color = ink.white ? 0xFFFFFF : 0x000000;
  } else {
    ink.word = ColorToWord(color);
  }
  PlotPixel(bitmap, x, y, ink);
  return color;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (dc == nullptr || !dc->bitmap->contains(x, y)) return CLR_INVALID;
  return WordToColor(ReadWord(*dc->bitmap, x, y));
}

}  // namespace plat
