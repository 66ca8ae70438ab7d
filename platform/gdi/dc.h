#pragma once
// Memory device contexts: the selected bitmap, pen, brush and font, the text
// and back colours, the back mode and the current position of MoveToEx/LineTo.

#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/object.h"
#include "platform/gdi/types.h"

namespace plat {

struct DC {
  DC();
  ~DC();
  DC(const DC&) = delete;
  DC& operator=(const DC&) = delete;

  HBITMAP bitmap;  // never null: a private 1x1 monochrome bitmap until another is selected
  HPEN pen;        // never null: BLACK_PEN by default
  HBRUSH brush;    // never null: WHITE_BRUSH by default
  // The selected font, an object of type OBJ_FONT (a Font of the font code);
  // null means the default font. Kept as HGDIOBJ so this layer needs no font.
  HGDIOBJ font = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  POINT position;  // current position of MoveToEx / LineTo

  std::unique_ptr<Bitmap> defaultBitmap;
};

// A memory DC with the default state above. The argument only names the
// device it is compatible with; every memory DC starts alike.
HDC CreateCompatibleDC(HDC dc);

// Deletes the DC and releases its selections; 0 for null.
int DeleteDC(HDC dc);

// Selects a bitmap, pen, brush or font and answers the previous one of that
// kind; null on failure (null arguments, a bitmap already selected into
// another DC). For a font the answer may be null: the default font was
// selected. Fonts go through the HGDIOBJ form: (HFONT)SelectObject(dc, font).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HBITMAP SelectObject(HDC dc, HBITMAP bitmap);
HPEN SelectObject(HDC dc, HPEN pen);
HBRUSH SelectObject(HDC dc, HBRUSH brush);

// The selected object of kind OBJ_BITMAP, OBJ_PEN, OBJ_BRUSH or OBJ_FONT.
HGDIOBJ GetCurrentObject(HDC dc, int type);

// Each answers the previous value (CLR_INVALID, or 0 for the mode, when dc is
// null). SetBkMode accepts only TRANSPARENT and OPAQUE; another value changes
// nothing and answers 0.
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
COLORREF GetTextColor(HDC dc);
COLORREF GetBkColor(HDC dc);
int GetBkMode(HDC dc);

}  // namespace plat
