// The digits: the player's in cobalt blue straight on the cell, the given
// ones in near-black on a sand-coloured plate, so the two never look alike.
#include <string>

#include "content/numgrid/art/art_kit.h"
#include "content/numgrid/art/numgrid_art.h"
#include "games/numgrid/numgrid_layout.h"

namespace numgrid_art {

namespace {

using numgrid::kCellSize;

// Ink lighter than this is left out, so no pale fringe shows on the tinted
// cells.
constexpr double kInkThreshold = 0.2;

// The digit's ink centred in the cell, blended with what the picture holds
// there, or with `under` where it is transparent; where the ink covers
// little, the picture is left as it is.
void Digit(plat::Image& img, int digit, Rgb ink, Rgb under) {
  const std::string text(1, char('0' + digit));
  const Coverage glyph = TextCoverage(text.c_str(), 22, 3);
  const int x0 = (kCellSize - glyph.width + 1) / 2, y0 = (kCellSize - glyph.height + 1) / 2;
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      const double a = glyph.at(x, y);
      if (a < kInkThreshold) continue;
      std::uint32_t& pixel = img.at(x0 + x, y0 + y);
      pixel = art::Mix(pixel == kKey ? under : pixel, ink, a);
    }
  }
}

}  // namespace

plat::Image PaintPlayerDigit(int digit) {
  plat::Image img = Blank(kCellSize, kCellSize, kKey);
  Digit(img, digit, 0x1F56C8, 0xF4F4F2);
  return img;
}

plat::Image PaintGivenDigit(int digit) {
  plat::Image plate = Blank(kCellSize, kCellSize, 0xFFFFFF);
  RoundedBox(plate, {0, 0, kCellSize, kCellSize}, 4, 0xE6DDC8, 0xD2C7AE);
  plat::Image img = Blank(kCellSize, kCellSize, kKey);
  // Corners outside the rounding are transparent; the rest is the plate.
  plat::Image mask = Blank(kCellSize, kCellSize, 0);
  RoundedBox(mask, {0, 0, kCellSize, kCellSize}, 4, 0xFFFFFF, 0xFFFFFF);
  for (int y = 0; y < kCellSize; ++y) {
    for (int x = 0; x < kCellSize; ++x) {
      if ((mask.at(x, y) & 0xFF) >= 0x80) img.at(x, y) = plate.at(x, y);
    }
  }
  Digit(img, digit, 0x1E2430, kKey);
  return img;
}

}  // namespace numgrid_art
