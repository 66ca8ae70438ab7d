#pragma once
// The tile-matching game's pictures, painted from code and the 16 x 16
// motifs of content/tiles/motifs: the background, each kind's tile in its
// normal and its selected look, and the path marker.

#include <string>

#include "AppEntry/art/paint.h"
#include "platform/gdi/image.h"

namespace tiles_art {

inline constexpr int kTileSize = 24;
inline constexpr int kMotifSize = 16;
inline constexpr art::Rgb kKey = 0xFF00FF;

// 240 x 320: the title bar (32 rows) with the title and the close button at
// x 218 to 235, y 6 to 19, then the empty board of 10 x 12 cells of 24.
// False with `error` set when the title's font cannot be loaded.
bool PaintBackground(plat::Image& out, std::string& error);

// A 24 x 24 tile bearing `motif` (16 x 16, magenta transparent). The normal
// tile is keyed: magenta round its edge lets the board show. The selected
// one is drawn opaque, so it has no magenta at all.
plat::Image PaintTile(const plat::Image& motif, bool selected);

// 24 x 24, keyed: what marks the cells a matched pair's path went through.
plat::Image PaintMarker();

// Title text (GB2312) in the Hei face, `height` pixels high, at (x, y).
bool DrawTitle(plat::Image& img, const char* text, int x, int y, int height, art::Rgb colour,
               std::string& error);

}  // namespace tiles_art
