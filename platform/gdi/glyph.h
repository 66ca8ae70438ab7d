// A character drawn into its cell: the horizontal runs of set pixels of a
// 1-bit mask, ready to be painted in the text colour.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

struct GlyphRun {
  std::uint16_t y;       // row within the cell
  std::uint16_t x;       // first column within the cell
  std::uint16_t length;  // pixels, all inside the cell
};

struct Glyph {
  int cellWidth = 0;
  int cellHeight = 0;
  std::vector<GlyphRun> runs;  // top to bottom, left to right

  bool Covers(int x, int y) const {
    for (const GlyphRun& run : runs) {
      if (run.y == y && x >= run.x && x < run.x + run.length) return true;
    }
    return false;
  }
};

}  // namespace plat
