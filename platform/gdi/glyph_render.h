// Monochrome rendering of one character through FreeType, and its placement
// in a fixed text cell.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/glyph.h"

typedef struct FT_FaceRec_* FT_Face;

namespace plat {

// Columns [x0, x1) and rows [y0, y1) of a bitmap that hold set pixels.
struct InkBox {
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
  int Width() const { return x1 - x0; }
};

// A glyph as FreeType produced it, one byte (0 or 1) per pixel.
struct RawGlyph {
  int left = 0;     // columns from the pen position to the bitmap's first column
  int top = 0;      // rows from the bitmap's first row up to the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;  // pixels
  bool fromOutline = false;
  std::vector<std::uint8_t> pixels;  // rows * width

  InkBox Ink() const;
};

// Renders code point `cp` at `pixelHeight` in monochrome, from the face's
// bitmap strike when it has one for that size. With squeeze in (0, 1) an
// outline is narrowed horizontally by that factor. False when the face has no
// glyph for cp or FreeType fails.
bool RenderRawGlyph(FT_Face face, int pixelHeight, char32_t cp, double squeeze, RawGlyph* out);

// Places a rendered glyph in a cell of cellWidth x cellHeight with its
// baseline `ascent` rows below the cell's top and its advance box centred.
// Ink that crosses an edge of the cell but fits in it is moved inside; ink
// wider than the cell is centred; whatever still falls outside is clipped.
Glyph PlaceInCell(const RawGlyph& raw, int cellWidth, int cellHeight, int ascent);

}  // namespace plat
