#pragma once
// Drawing objects and their handles. A handle is a pointer to the object;
// every kind derives from GdiObject so DeleteObject and SelectObject take any.
//
// An object selected into a device context cannot be deleted (DeleteObject
// answers 0): select it out first. Stock objects are never deleted.

#include <atomic>

#include "platform/gdi/types.h"

namespace plat {

struct GdiObject {
  explicit GdiObject(int objectType) : type(objectType) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  const int type;           // OBJ_PEN, OBJ_BRUSH, OBJ_FONT or OBJ_BITMAP
  bool stock = false;       // owned by the process (or a DC); DeleteObject ignores it
  std::atomic<int> selections{0};  // number of device contexts holding it
};

struct Pen final : GdiObject {
  Pen(int penStyle, COLORREF penColor) : GdiObject(OBJ_PEN), style(penStyle), color(penColor) {}
  const int style;  // PS_SOLID .. PS_NULL
  const COLORREF color;
};

struct Brush final : GdiObject {
  Brush(int brushStyle, COLORREF brushColor)
      : GdiObject(OBJ_BRUSH), style(brushStyle), color(brushColor) {}
  const int style;  // BS_SOLID or BS_NULL
  const COLORREF color;
};

struct Bitmap;  // platform/gdi/bitmap.h
struct Font;    // defined with the font code; derives from GdiObject with OBJ_FONT
struct DC;      // platform/gdi/dc.h

using HGDIOBJ = GdiObject*;
using HPEN = Pen*;
using HBRUSH = Brush*;
using HBITMAP = Bitmap*;
using HFONT = Font*;
using HDC = DC*;

// A cosmetic pen of width 1 (wider widths are drawn as width 1). An unknown
// style gives a solid pen. Never fails.
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);

// WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN, NULL_PEN;
// null for anything else.
HGDIOBJ GetStockObject(int which);

// 1 when the object was deleted or is a stock object; 0 for null or an
// object still selected into a device context.
int DeleteObject(HGDIOBJ object);

// OBJ_* of the object, 0 for null.
int GetObjectType(HGDIOBJ object);

// Fills a BITMAP for a bitmap handle (cb must be at least sizeof(BITMAP));
// answers the bytes written, or 0 for anything else.
int GetObjectA(HGDIOBJ object, int cb, void* out);

}  // namespace plat
