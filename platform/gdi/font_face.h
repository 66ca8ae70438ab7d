// The three typefaces text can be drawn in, the face files that draw them at
// each height, and the vertical placement of their characters in a cell.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/glyph_render.h"
#include "platform/gdi/text_cells.h"

namespace plat {

enum class Typeface : std::uint8_t { kSong, kKai, kHei };

// Renders the character of `cell` for a font of `typeface` at cell height
// `height`, narrowed to fit the cell's width when an outline is wider. False
// when the face cannot be loaded or has no such character. Font lock held.
bool RenderCellGlyph(Typeface typeface, int height, TextCell cell, RawGlyph* out);

// Rows from the cell's top to the baseline that keep the typeface's
// characters inside cells of `height`: Chinese characters and ASCII are
// centred together when they fit; otherwise the Chinese characters keep all
// their rows and the rest is clipped evenly. -1 with `error` set when a face
// file cannot be loaded. Computed once per typeface and height; font lock held.
int CellAscent(Typeface typeface, int height, std::string* error);

}  // namespace plat
