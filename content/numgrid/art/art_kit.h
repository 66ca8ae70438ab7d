#pragma once
// Drawing helpers of the number grid's painter, on top of the shared paint
// helpers: rounded boxes with smooth edges, smooth text from the platform's
// fonts, and cutting pictures out of larger ones.

#include <vector>

#include "AppEntry/art/paint.h"
#include "platform/gdi/image.h"

namespace numgrid_art {

using art::Rgb;

struct Rect {
  int x, y, w, h;
};

// A box with rounded corners of radius r, shaded from `top` to `bottom`,
// its edge anti-aliased.
void RoundedBox(plat::Image& img, Rect box, double r, Rgb top, Rgb bottom, double opacity = 1.0);

// A rounded box with a one-pixel border of `edge` around a shaded inside.
void FramedBox(plat::Image& img, Rect box, double r, Rgb edge, Rgb top, Rgb bottom);

// How much of each pixel a text covers (0 to 1), row by row.
struct Coverage {
  int width = 0;
  int height = 0;
  std::vector<double> alpha;
  double at(int x, int y) const { return alpha[std::size_t(y) * width + x]; }
};

// `text` (GB2312) in the Hei face with `height`-pixel cells, set `kSuper`
// times larger and averaged down so its edges are smooth; `bold` widens
// every stroke by that many pixels of the large setting. Trimmed to its ink.
Coverage TextCoverage(const char* text, int height, int bold = 0);

// Blends the coverage in `colour` with its top-left corner at (x, y).
void DrawCoverage(plat::Image& img, const Coverage& text, int x, int y, Rgb colour);

// The text's ink centred on (cx, cy).
void DrawLabel(plat::Image& img, const char* text, double cx, double cy, int height, Rgb colour,
               int bold = 0);

// The w by h area of `img` at (x, y).
plat::Image Crop(const plat::Image& img, Rect area);

// A picture of the given size filled with `colour`.
plat::Image Blank(int width, int height, Rgb colour);

}  // namespace numgrid_art
