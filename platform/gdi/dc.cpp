#include "platform/gdi/dc.h"

namespace plat {

namespace {

// Swaps the DC's slot for a new object, keeping the selection counts that
// guard DeleteObject.
template <typename T>
T* Swap(T*& slot, T* object) {
  T* previous = slot;
  if (object) object->selections.fetch_add(1);
  if (previous) previous->selections.fetch_sub(1);
  slot = object;
  return previous;
}

}  // namespace

DC::DC()
    : bitmap(nullptr),
      pen(static_cast<HPEN>(GetStockObject(BLACK_PEN))),
      brush(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))),
      defaultBitmap(std::make_unique<Bitmap>(1, 1, 1)) {
  defaultBitmap->stock = true;
  Swap(bitmap, defaultBitmap.get());
}

DC::~DC() {
  Swap(bitmap, static_cast<HBITMAP>(nullptr));
  Swap(pen, static_cast<HPEN>(nullptr));
  Swap(brush, static_cast<HBRUSH>(nullptr));
  Swap(font, static_cast<HGDIOBJ>(nullptr));
}

HDC CreateCompatibleDC(HDC /*dc*/) { return new DC(); }

int DeleteDC(HDC dc) {
  if (dc == nullptr) return 0;
  delete dc;
  return 1;
}

HBITMAP SelectObject(HDC dc, HBITMAP bitmap) {
  if (dc == nullptr || bitmap == nullptr) return nullptr;
  if (bitmap == dc->bitmap) return bitmap;
  // A bitmap lives in one DC at a time; drawing through two would be a surprise.
  // Another DC's default bitmap dies with that DC, so it is not lent out.
  if (bitmap->selections.load() > 0) return nullptr;
  if (bitmap->stock && bitmap != dc->defaultBitmap.get()) return nullptr;
  return Swap(dc->bitmap, bitmap);
}

HPEN SelectObject(HDC dc, HPEN pen) {
  if (dc == nullptr || pen == nullptr) return nullptr;
  return Swap(dc->pen, pen);
}

HBRUSH SelectObject(HDC dc, HBRUSH brush) {
  if (dc == nullptr || brush == nullptr) return nullptr;
  return Swap(dc->brush, brush);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (object == nullptr) return nullptr;
  switch (object->type) {
    case OBJ_BITMAP: return SelectObject(dc, static_cast<HBITMAP>(object));
    case OBJ_PEN: return SelectObject(dc, static_cast<HPEN>(object));
    case OBJ_BRUSH: return SelectObject(dc, static_cast<HBRUSH>(object));
    case OBJ_FONT: return dc ? Swap(dc->font, object) : nullptr;
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC dc, int type) {
  if (dc == nullptr) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    default: return nullptr;
  }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF previous = dc->textColor;
  dc->textColor = color & 0xFFFFFF;
  return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF previous = dc->bkColor;
  dc->bkColor = color & 0xFFFFFF;
  return previous;
}

int SetBkMode(HDC dc, int mode) {
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

COLORREF GetTextColor(HDC dc) { return dc ? dc->textColor : CLR_INVALID; }
COLORREF GetBkColor(HDC dc) { return dc ? dc->bkColor : CLR_INVALID; }
int GetBkMode(HDC dc) { return dc ? dc->bkMode : 0; }

}  // namespace plat
