#pragma once
// Fonts: CreateFontA for the three Chinese faces at any cell height, and the
// metrics GetTextMetricsA reports. Every font draws fixed cells: a single-byte
// character is half the height wide, a two-byte character the full height.
//
// Faces: "宋体" (Song), "楷体_GB2312" or "楷体" (Kai) and "黑体" (Hei), as GB2312
// byte strings. Any other name, or none, gives the Song face.
// Heights: h > 0 is the cell height; h < 0 asks for a character height of -h,
// which for these fonts is the same cell; 0 gives the default height 16.
// Cell heights are clamped to [kMinFontHeight, kMaxFontHeight].

#include "platform/gdi/font_face.h"
#include "platform/gdi/font_files.h"
#include "platform/gdi/object.h"
#include "platform/gdi/types.h"

namespace plat {

inline constexpr int kMinFontHeight = 4;
inline constexpr int kMaxFontHeight = 256;
inline constexpr int kDefaultFontHeight = 16;

// Values the device code passes; CreateFontA accepts them and ignores all of
// width, escapement, orientation, weight, italic, underline, strike-out,
// character set, precision, quality and pitch: the cells are fixed.
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD GB2312_CHARSET = 134;
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD OUT_CHARACTER_PRECIS = 2;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD CLIP_CHARACTER_PRECIS = 1;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD DEFAULT_PITCH = 0;
constexpr DWORD FIXED_PITCH = 1;
constexpr DWORD FF_DONTCARE = 0;
constexpr DWORD FF_MODERN = 0x30;

struct Font final : GdiObject {
  Font(Typeface face, int cellHeight, int cellAscent)
      : GdiObject(OBJ_FONT), typeface(face), height(cellHeight), ascent(cellAscent) {}

  const Typeface typeface;
  const int height;  // cell height in pixels
  const int ascent;  // rows from the cell's top to the baseline
};

// Null when the face's font file cannot be loaded; LastFontError() then says
// which file is missing and which Debian package provides it.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight,
                  DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                  DWORD outPrecision, DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  const char* faceName);

// The font a device context draws with until another is selected: Song at
// the default height, a stock object DeleteObject leaves alone. Null when its
// font file cannot be loaded.
HFONT DefaultFont();

// Typeface a face name selects (see above).
Typeface TypefaceFromName(const char* faceName);

struct TEXTMETRICA {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = 0;
  int tmOverhang = 0;
  int tmDigitizedAspectX = 0;
  int tmDigitizedAspectY = 0;
  BYTE tmFirstChar = 0;
  BYTE tmLastChar = 0;
  BYTE tmDefaultChar = 0;
  BYTE tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};

// Metrics of a font: tmHeight the cell height, tmAveCharWidth half of it,
// tmMaxCharWidth all of it, tmAscent + tmDescent = tmHeight.
TEXTMETRICA FontMetrics(const Font& font);

}  // namespace plat
