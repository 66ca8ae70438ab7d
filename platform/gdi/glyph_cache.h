// Rendered glyphs kept per (typeface, height, character), so a line of text
// costs one table look-up per character once its characters have been seen.
#pragma once

#include "platform/gdi/font_face.h"
#include "platform/gdi/glyph.h"

namespace plat {

// The glyph of `cell` in the font (typeface, height) whose baseline sits
// `ascent` rows below the cell's top, rendered on first use; a character the
// font cannot draw gives a blank glyph. Font lock held; the reference stays
// valid until the next call.
const Glyph& CachedGlyph(Typeface typeface, int height, int ascent, TextCell cell);

}  // namespace plat
