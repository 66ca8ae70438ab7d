#include "platform/gdi/glyph_cache.h"

#include <cstdint>
#include <unordered_map>

#include "platform/gdi/font_files.h"

namespace plat {
namespace {

// GB2312 and ASCII hold under 8,000 characters, so a handful of fonts stay
// far below this; the limit only bounds memory when many sizes are used.
constexpr size_t kMaxCachedGlyphs = 65536;

struct GlyphTable {
  unsigned generation = 0;
  std::unordered_map<std::uint64_t, Glyph> glyphs;
};

// The ascent is a function of typeface and height, so it needs no key bits.
std::uint64_t Key(Typeface typeface, int height, TextCell cell) {
  return static_cast<std::uint64_t>(typeface) << 48 |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(height)) << 16 | cell.code;
}

Glyph Render(Typeface typeface, int height, int ascent, TextCell cell) {
  const int cellWidth = cell.wide ? height : height / 2;
  RawGlyph raw;
  if (!RenderCellGlyph(typeface, height, cell, &raw)) {
    Glyph blank;
    blank.cellWidth = cellWidth;
    blank.cellHeight = height;
    return blank;
  }
  return PlaceInCell(raw, cellWidth, height, ascent);
}

}  // namespace

const Glyph& CachedGlyph(Typeface typeface, int height, int ascent, TextCell cell) {
  static GlyphTable table;
  if (table.generation != FontGeneration()) {
    table.glyphs.clear();
    table.generation = FontGeneration();
  }
  const std::uint64_t key = Key(typeface, height, cell);
  if (auto it = table.glyphs.find(key); it != table.glyphs.end()) return it->second;
  if (table.glyphs.size() >= kMaxCachedGlyphs) table.glyphs.clear();
  return table.glyphs.emplace(key, Render(typeface, height, ascent, cell)).first->second;
}

}  // namespace plat
