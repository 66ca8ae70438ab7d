#include "platform/gdi/object.h"

#include <cstring>
#include <new>

#include "platform/gdi/bitmap.h"

namespace plat {

namespace {

template <typename T>
T* MakeStock(T* object) {
  object->stock = true;
  return object;
}

}  // namespace

HPEN CreatePen(int style, int /*width*/, COLORREF color) {
  if (style < PS_SOLID || style > PS_NULL) style = PS_SOLID;
  return new Pen(style, color);
}

HBRUSH CreateSolidBrush(COLORREF color) { return new Brush(BS_SOLID, color); }

HGDIOBJ GetStockObject(int which) {
  // Immutable and never deleted, so one set serves every thread.
  static Brush* const whiteBrush = MakeStock(new Brush(BS_SOLID, 0xFFFFFF));
  static Brush* const blackBrush = MakeStock(new Brush(BS_SOLID, 0x000000));
  static Brush* const nullBrush = MakeStock(new Brush(BS_NULL, 0));
  static Pen* const whitePen = MakeStock(new Pen(PS_SOLID, 0xFFFFFF));
  static Pen* const blackPen = MakeStock(new Pen(PS_SOLID, 0x000000));
  static Pen* const nullPen = MakeStock(new Pen(PS_NULL, 0));
  switch (which) {
    case WHITE_BRUSH: return whiteBrush;
    case BLACK_BRUSH: return blackBrush;
    case NULL_BRUSH: return nullBrush;
    case WHITE_PEN: return whitePen;
    case BLACK_PEN: return blackPen;
    case NULL_PEN: return nullPen;
    default: return nullptr;
  }
}

int DeleteObject(HGDIOBJ object) {
  if (object == nullptr) return 0;
  if (object->stock) return 1;
  if (object->selections.load() > 0) return 0;
  delete object;
  return 1;
}

int GetObjectType(HGDIOBJ object) { return object ? object->type : 0; }

int GetObjectA(HGDIOBJ object, int cb, void* out) {
  if (object == nullptr || object->type != OBJ_BITMAP || out == nullptr ||
      cb < int(sizeof(BITMAP))) {
    return 0;
  }
  auto* bitmap = static_cast<Bitmap*>(object);
  BITMAP info;
  info.bmWidth = bitmap->width();
  info.bmHeight = bitmap->height();
  info.bmWidthBytes = bitmap->stride();
  info.bmBitsPixel = WORD(bitmap->bitsPerPixel());
  std::memcpy(out, &info, sizeof info);
  return int(sizeof info);
}

}  // namespace plat
