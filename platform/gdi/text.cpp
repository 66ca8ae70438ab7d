#include "platform/gdi/text.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/glyph_cache.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text_cells.h"

namespace plat {
namespace {

const Font* SelectedFont(HDC dc) {
  if (dc->font && dc->font->type == OBJ_FONT) return static_cast<const Font*>(dc->font);
  return DefaultFont();
}

bool ValidText(HDC dc, const char* str, int len) {
  return dc && len >= 0 && (str || len == 0);
}

// Coordinates are kept in 64 bits while laying out so that a line starting
// near the end of the int range cannot overflow; only the parts that meet the
// bitmap are drawn, and those are in int range.
int ClampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -1, kMaxBitmapSide + 1));
}

void FillCellsBox(Bitmap& bitmap, std::int64_t x, std::int64_t y, std::int64_t width,
                  int height, Ink ink) {
  FillBox(bitmap, ClampToInt(x), ClampToInt(y), ClampToInt(x + width), ClampToInt(y + height),
          ink);
}

void DrawGlyph(Bitmap& bitmap, const Glyph& glyph, int x, int y, Ink ink) {
  for (const GlyphRun& run : glyph.runs) {
    FillSpan(bitmap, y + run.y, x + run.x, x + run.x + run.length, ink);
  }
}

void DrawCells(Bitmap& bitmap, const Font& font, std::int64_t x, std::int64_t y,
               const char* str, int len, Ink ink) {
  if (y >= bitmap.height() || y + font.height <= 0) return;
  auto lock = LockFonts();
  std::int64_t pen = x;
  ForEachCell(str, len, [&](TextCell cell) {
    const int cellWidth = cell.wide ? font.height : font.height / 2;
    // Cells wholly outside the bitmap are skipped without rendering them.
    if (pen < bitmap.width() && pen + cellWidth > 0) {
      const Glyph& glyph = CachedGlyph(font.typeface, font.height, font.ascent, cell);
      DrawGlyph(bitmap, glyph, static_cast<int>(pen), static_cast<int>(y), ink);
    }
    pen += cellWidth;
  });
}

}  // namespace

int TextOutA(HDC dc, int x, int y, const char* str, int len) {
  if (!ValidText(dc, str, len)) return 0;
  const Font* font = SelectedFont(dc);
  if (!font) return 0;
  if (len == 0) return 1;
  Bitmap& bitmap = *dc->bitmap;
  if (dc->bkMode == OPAQUE) {
    const std::int64_t width = TextCellsWidth(str, len, font->height);
    FillCellsBox(bitmap, x, y, width, font->height, InkFor(bitmap, dc->bkColor, dc->bkColor));
  }
  DrawCells(bitmap, *font, x, y, str, len, InkFor(bitmap, dc->textColor, dc->bkColor));
  return 1;
}

int GetTextExtentPoint32A(HDC dc, const char* str, int len, SIZE* size) {
  if (!ValidText(dc, str, len) || !size) return 0;
  const Font* font = SelectedFont(dc);
  if (!font) return 0;
  size->cx = static_cast<int>(std::min<std::int64_t>(TextCellsWidth(str, len, font->height),
                                                      INT32_MAX));
  size->cy = font->height;
  return 1;
}

int GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  if (!dc || !metrics) return 0;
  const Font* font = SelectedFont(dc);
  if (!font) return 0;
  *metrics = FontMetrics(*font);
  return 1;
}

}  // namespace plat
