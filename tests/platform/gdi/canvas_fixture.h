#pragma once
// A memory DC with its own bitmap for raster tests, and a picture of its
// pixels as text rows so expected shapes can be written out as drawings.

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface.h"

namespace plat::test {

class TestCanvas {
 public:
  // A colour canvas filled with `fill`, or (bitsPerPixel 1) a white mono one.
  TestCanvas(int width, int height, int bitsPerPixel = 32, COLORREF fill = 0xFFFFFF)
      : dc(CreateCompatibleDC(nullptr)),
        bitmap(CreateBitmap(width, height, 1, unsigned(bitsPerPixel), nullptr)) {
    SelectObject(dc, bitmap);
    Fill(fill);
  }
  ~TestCanvas() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  void Fill(COLORREF color) {
    FillBox(*bitmap, 0, 0, bitmap->width(), bitmap->height(), InkFor(*bitmap, color, color));
  }

  // The raw stored word of a pixel (colour canvases).
  std::uint32_t Word(int x, int y) const { return bitmap->row32(y)[x]; }

  // One text row per pixel row: each pixel's colour looked up in `legend`,
  // '?' for colours it does not name.
  std::vector<std::string> Art(const std::map<COLORREF, char>& legend) const {
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap->height(); ++y) {
      std::string row;
      for (int x = 0; x < bitmap->width(); ++x) {
        auto it = legend.find(GetPixel(dc, x, y));
        row += it == legend.end() ? '?' : it->second;
      }
      rows.push_back(row);
    }
    return rows;
  }

  // Black '#' on white '.'.
  std::vector<std::string> Art() const { return Art({{0x000000, '#'}, {0xFFFFFF, '.'}}); }

  HDC dc;
  HBITMAP bitmap;
};

// A fixed-pitch font of the given height and face, as the device programs make them.
inline HFONT MakeFont(int height, const char* face) {
  return CreateFontA(height, 0, 0, 0, FW_THIN, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                     CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, face);
}

// Pen and brush of the given styles and colours, selected for the lifetime
// of the object and deleted afterwards.
class ScopedTools {
 public:
  ScopedTools(HDC dc, HPEN pen, HBRUSH brush) : dc_(dc), pen_(pen), brush_(brush) {
    oldPen_ = SelectObject(dc, pen);
    oldBrush_ = SelectObject(dc, brush);
  }
  ~ScopedTools() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  ScopedTools(const ScopedTools&) = delete;
  ScopedTools& operator=(const ScopedTools&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HPEN oldPen_;
  HBRUSH oldBrush_;
};

}  // namespace plat::test
