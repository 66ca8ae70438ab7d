// The background: a dark wooden title bar with the game's name and the close
// button, over a green baize board whose cells show as shallow sockets.

#include <cstring>

#include "content/tiles/art/tiles_art.h"

namespace tiles_art {
namespace {

using art::Rgb;

constexpr int kWidth = 240, kHeight = 320, kBarHeight = 32;

void TitleBar(plat::Image& img) {
  art::VerticalGradient(img, 0, kBarHeight - 2, {{0.0, 0x7A4A26}, {0.5, 0x5C361A}, {1.0, 0x3E220F}});
  art::FillRect(img, 0, kBarHeight - 2, kWidth, 1, 0xE2B45A);
  art::FillRect(img, 0, kBarHeight - 1, kWidth, 1, 0x2A1608);
  // Fine grain along the wood.
  art::Random rnd(0x7113);
  for (int y = 0; y < kBarHeight - 2; ++y) {
    double shade = 0;
    for (int x = 0; x < kWidth; ++x) {
      shade = shade * 0.9 + (rnd.Unit() - 0.5) * 0.1;
      art::Blend(img, x, y, shade > 0 ? 0xFFE0B0 : 0x1A0C04, std::abs(shade) * 0.6);
    }
  }
}

// A small tile beside the title, as on the board.
void TitleIcon(plat::Image& img) {
  art::FillRect(img, 9, 6, 15, 21, 0x1C4F38);
  art::FillRect(img, 8, 5, 15, 19, 0xF4ECD4);
  art::FillRect(img, 8, 5, 15, 1, 0xFFFFFF);
  art::Disc(img, 15.5, 12.5, 4.2, 0xC8372D);
  art::Disc(img, 14.5, 11.5, 1.4, 0xF08A80);
}

// The close button fills its hit area, x 218 to 235 and y 6 to 19.
void CloseButton(plat::Image& img) {
  constexpr int x0 = 218, y0 = 6, w = 18, h = 14;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const bool corner = (x == x0 || x == x0 + w - 1) && (y == y0 || y == y0 + h - 1);
      const bool edge = x == x0 || x == x0 + w - 1 || y == y0 || y == y0 + h - 1;
      if (corner) continue;
      const Rgb face = art::Mix(0xE25545, 0x9E2419, double(y - y0) / (h - 1));
      img.at(x, y) = edge ? 0x4A0F0A : face;
    }
  }
  // A white cross, two pixels thick.
  for (int i = 0; i < 8; ++i) {
    for (int t = 0; t < 2; ++t) {
      img.at(x0 + 5 + i, y0 + 3 + i + t - (i == 7 && t == 1)) = 0xFFFFFF;
      img.at(x0 + 12 - i, y0 + 3 + i + t - (i == 7 && t == 1)) = 0xFFFFFF;
    }
  }
}

void Board(plat::Image& img) {
  art::VerticalGradient(img, kBarHeight, kHeight, {{0.0, 0x1F6B43}, {1.0, 0x144A2E}});
  art::Random rnd(20261207);
  for (int y = kBarHeight; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double n = rnd.Unit() - 0.5;
      art::Blend(img, x, y, n > 0 ? 0x5FB880 : 0x06200F, std::abs(n) * 0.22);
    }
  }
  // Each cell a shallow socket: shaded at its top and left, lit at its
  // bottom and right.
  for (int cy = kBarHeight; cy < kHeight; cy += kTileSize) {
    for (int cx = 0; cx < kWidth; cx += kTileSize) {
      for (int i = 2; i <= 21; ++i) {
        art::Blend(img, cx + i, cy + 2, 0x0A2816, 0.45);
        art::Blend(img, cx + 2, cy + i, 0x0A2816, 0.45);
        art::Blend(img, cx + i, cy + 21, 0x7FD19F, 0.22);
        art::Blend(img, cx + 21, cy + i, 0x7FD19F, 0.22);
      }
    }
  }
}

}  // namespace

bool PaintBackground(plat::Image& out, std::string& error) {
  out = plat::Image{kWidth, kHeight, std::vector<uint32_t>(kWidth * kHeight)};
  TitleBar(out);
  TitleIcon(out);
  CloseButton(out);
  Board(out);
  return DrawTitle(out, "消牌", 31, 7, 20, 0x2A1608, error) &&
         DrawTitle(out, "消牌", 30, 6, 20, 0xFBE3A6, error);
}

}  // namespace tiles_art
