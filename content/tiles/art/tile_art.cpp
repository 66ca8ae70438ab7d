// The tiles and the path marker. Keyed pictures have hard edges: a pixel is
// either magenta (the board shows through) or fully painted, since a pixel
// blended towards magenta would show as a pink fringe.

#include <cmath>
#include <cstdlib>

#include "content/tiles/art/tiles_art.h"

namespace tiles_art {
namespace {

using art::Rgb;

struct Look {
  Rgb around;     // outside the tile: magenta, or the selection's frame
  Rgb side;       // the tile's thickness, right and below its face
  Rgb sideShade;  // its bottom edge
  Rgb faceLight;  // the face's top-left corner
  Rgb faceDark;   // its bottom-right corner
  Rgb faceEdge;   // the face's right and bottom rows
  int offset;     // 1 when the tile looks pressed down
};

constexpr Look kNormal{kKey, 0x2E7A57, 0x1C4F38, 0xFFFBEF, 0xEBDDBA, 0xC9B88E, 0};
constexpr Look kSelected{0xFF9A1A, 0xB5651A, 0x8A4712, 0xFFF4C2, 0xF6CF5C, 0xD9A93A, 1};

// Inside the rectangle (x0, y0)-(x1, y1), its corners cut by three pixels
// each so that it reads as rounded.
bool InRounded(int x, int y, int x0, int y0, int x1, int y1) {
  if (x < x0 || x > x1 || y < y0 || y > y1) return false;
  const int dx = std::min(x - x0, x1 - x);
  const int dy = std::min(y - y0, y1 - y);
  return dx + dy >= 2;
}

void PaintBody(plat::Image& img, const Look& look) {
  const int o = look.offset;
  const int faceEnd = 20 + o;  // the face's last row and column
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      Rgb c = look.around;
      if (InRounded(x, y, o, o, faceEnd, faceEnd)) {
        const double t = double((x - o) + (y - o)) / 40.0;
        c = art::Mix(look.faceLight, look.faceDark, t);
        if (x == faceEnd || y == faceEnd) c = look.faceEdge;
        if (x == o || y == o) c = art::Mix(c, 0xFFFFFF, 0.6);
      } else if (InRounded(x, y, o, o, 22, 22)) {
        c = y >= faceEnd + 2 || (y > faceEnd && x > faceEnd) ? look.sideShade : look.side;
      }
      img.at(x, y) = c;
    }
  }
}

}  // namespace

plat::Image PaintTile(const plat::Image& motif, bool selected) {
  const Look& look = selected ? kSelected : kNormal;
  plat::Image img{kTileSize, kTileSize, std::vector<uint32_t>(kTileSize * kTileSize)};
  PaintBody(img, look);
  const int at = 2 + look.offset;
  for (int y = 0; y < kMotifSize; ++y) {
    for (int x = 0; x < kMotifSize; ++x) {
      if (motif.at(x, y) != kKey) img.at(at + x, at + y) = motif.at(x, y);
    }
  }
  return img;
}

plat::Image PaintMarker() {
  constexpr Rgb kGold = 0xFFD23F, kPale = 0xFFF6C8, kRim = 0x6E4300;
  plat::Image img{kTileSize, kTileSize, std::vector<uint32_t>(kTileSize * kTileSize, kKey)};
  // A four-pointed star round the cell's centre (between pixels 11 and 12).
  auto star = [](int x, int y, double scale) {
    const double dx = std::abs(x - 11.5), dy = std::abs(y - 11.5);
    return std::sqrt(dx) + std::sqrt(dy) <= 3.1 * scale;
  };
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      if (star(x, y, 1.0)) img.at(x, y) = kGold;
      if (star(x, y, 0.55)) img.at(x, y) = kPale;
    }
  }
  // A dark rim round the star keeps it visible on light and dark ground.
  plat::Image rimmed = img;
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      if (img.at(x, y) != kKey) continue;
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        const int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < kTileSize && ny < kTileSize && img.at(nx, ny) != kKey) {
          rimmed.at(x, y) = kRim;
        }
      }
    }
  }
  return rimmed;
}

}  // namespace tiles_art
