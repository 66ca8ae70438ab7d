#include "platform/gdi/glyph_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace plat {
namespace {

// Larger bitmaps than this come only from broken fonts; refuse them.
constexpr int kMaxGlyphSide = 1024;

bool CopyBitmap(const FT_Bitmap& bitmap, RawGlyph* out) {
  const int width = static_cast<int>(bitmap.width);
  const int rows = static_cast<int>(bitmap.rows);
  if (width > kMaxGlyphSide || rows > kMaxGlyphSide) return false;
  const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
  out->width = width;
  out->rows = rows;
  out->pixels.assign(static_cast<size_t>(width) * rows, 0);
  if (width == 0 || rows == 0) return true;
  // With a negative pitch the rows are stored bottom-up; the pitch still steps
  // one row down.
  const unsigned char* row = bitmap.buffer;
  if (bitmap.pitch < 0) row -= static_cast<long>(rows - 1) * bitmap.pitch;
  for (int y = 0; y < rows; ++y, row += bitmap.pitch) {
    std::uint8_t* dst = &out->pixels[static_cast<size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      dst[x] = mono ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= 128;
    }
  }
  return true;
}

}  // namespace

InkBox RawGlyph::Ink() const {
  InkBox box{width, 0, rows, 0};
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!pixels[static_cast<size_t>(y) * width + x]) continue;
      box.x0 = std::min(box.x0, x);
      box.x1 = std::max(box.x1, x + 1);
      box.y0 = std::min(box.y0, y);
      box.y1 = std::max(box.y1, y + 1);
    }
  }
  return box.Empty() ? InkBox{} : box;
}

bool RenderRawGlyph(FT_Face face, int pixelHeight, char32_t cp, double squeeze, RawGlyph* out) {
  const FT_UInt index = FT_Get_Char_Index(face, cp);
  if (index == 0) return false;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) return false;
  FT_Int32 flags = FT_LOAD_TARGET_MONO;
  const bool squeezing = squeeze > 0 && squeeze < 1;
  if (squeezing) {
    FT_Matrix matrix{static_cast<FT_Fixed>(squeeze * 0x10000), 0, 0, 0x10000};
    FT_Set_Transform(face, &matrix, nullptr);
    flags |= FT_LOAD_NO_BITMAP;
  }
  FT_Error error = FT_Load_Glyph(face, index, flags);
  if (squeezing) FT_Set_Transform(face, nullptr, nullptr);
  if (error != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  out->fromOutline = slot->format != FT_GLYPH_FORMAT_BITMAP;
  if (out->fromOutline && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return false;
  out->left = slot->bitmap_left;
  out->top = slot->bitmap_top;
  out->advance = static_cast<int>((slot->advance.x + 32) >> 6);
  return CopyBitmap(slot->bitmap, out);
}

namespace {

// Moves ink spanning [first, last) of a cell of `size` inside it when it fits
// and answers the shift; ink too large for the cell is left for clipping.
int ShiftInside(int first, int last, int size) {
  if (last - first > size) return 0;
  if (first < 0) return -first;
  if (last > size) return size - last;
  return 0;
}

// Horizontal offset from bitmap column to cell column: the advance box is
// centred, and ink wider than the cell is centred too.
int ColumnOffset(const RawGlyph& raw, const InkBox& ink, int cellWidth) {
  const int offset = (cellWidth - raw.advance) / 2 + raw.left;
  if (ink.Width() > cellWidth) return (cellWidth - ink.Width()) / 2 - ink.x0;
  return offset + ShiftInside(offset + ink.x0, offset + ink.x1, cellWidth);
}

// Vertical offset from bitmap row to cell row: the baseline at `ascent`. A
// descender or accent that would cross the cell's edge is moved inside, so a
// tight cell shows a whole g a row higher rather than a cut one.
int RowOffset(const RawGlyph& raw, const InkBox& ink, int cellHeight, int ascent) {
  const int offset = ascent - raw.top;
  return offset + ShiftInside(offset + ink.y0, offset + ink.y1, cellHeight);
}

}  // namespace

Glyph PlaceInCell(const RawGlyph& raw, int cellWidth, int cellHeight, int ascent) {
  Glyph glyph;
  glyph.cellWidth = cellWidth;
  glyph.cellHeight = cellHeight;
  const InkBox ink = raw.Ink();
  if (ink.Empty()) return glyph;
  const int dx = ColumnOffset(raw, ink, cellWidth);
  const int dy = RowOffset(raw, ink, cellHeight, ascent);
  for (int y = ink.y0; y < ink.y1; ++y) {
    const int cellY = y + dy;
    if (cellY < 0 || cellY >= cellHeight) continue;
    const std::uint8_t* row = &raw.pixels[static_cast<size_t>(y) * raw.width];
    const int first = std::max(ink.x0, -dx);
    const int last = std::min(ink.x1, cellWidth - dx);
    for (int x = first; x < last;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < last && row[x]) ++x;
      glyph.runs.push_back({static_cast<std::uint16_t>(cellY),
                            static_cast<std::uint16_t>(start + dx),
                            static_cast<std::uint16_t>(x - start)});
    }
  }
  return glyph;
}

}  // namespace plat
