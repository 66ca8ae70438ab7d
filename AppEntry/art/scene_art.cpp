// A sunny hillside with a cottage, for the test application's package. The
// application shows only the 60 x 60 square from (110, 160), so the cottage
// sits wholly inside it; the rest of the picture is scenery around it.
#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "AppEntry/art/pictures.h"

namespace art {
namespace {

constexpr int kWidth = 320, kHeight = 240;

void Roof(plat::Image& img, int apexX, int apexY, int eavesY, int halfBase, Rgb colour, Rgb edge) {
  for (int y = apexY; y < eavesY; ++y) {
    const int half = (y - apexY) * halfBase / (eavesY - apexY);
    FillRect(img, apexX - half, y, 2 * half + 1, 1, colour);
    FillRect(img, apexX - half, y, 1, 1, edge);
    FillRect(img, apexX + half, y, 1, 1, edge);
  }
  FillRect(img, apexX - halfBase, eavesY - 1, 2 * halfBase + 1, 2, edge);
}

void Window(plat::Image& img, int x, int y) {
  FillRect(img, x - 1, y - 1, 10, 10, 0x5A3A22);
  FillRect(img, x, y, 8, 8, 0x9ED8F0);
  FillRect(img, x, y, 3, 3, 0xE8F8FF);
  FillRect(img, x + 4, y, 1, 8, 0x5A3A22);
  FillRect(img, x, y + 4, 8, 1, 0x5A3A22);
}

void Cottage(plat::Image& img) {
  FillRect(img, 123, 185, 35, 30, 0xEAD9B0);        // walls
  for (int y = 189; y < 215; y += 5) FillRect(img, 123, y, 35, 1, 0xD4C092);
  FillRect(img, 149, 166, 6, 16, 0x8A4A3A);         // chimney
  FillRect(img, 148, 165, 8, 2, 0x6A3428);
  Roof(img, 140, 164, 187, 25, 0xC0483A, 0x7A2420);
  Window(img, 127, 192);
  Window(img, 146, 192);
  FillRect(img, 136, 199, 9, 16, 0x7A4A28);         // door
  FillRect(img, 137, 200, 7, 15, 0x9A6234);
  FillRect(img, 142, 207, 1, 1, 0xF0D060);          // door knob
  for (auto [x, y, r] : {std::tuple{155.0, 162.0, 2.0}, {159.0, 160.5, 2.5}, {164.0, 161.5, 3.0}}) {
    Disc(img, x, y, r, 0xF4F4F4, 0.8);              // chimney smoke
  }
}

void Tree(plat::Image& img, double x, double ground, double size) {
  FillRect(img, int(x - size * 0.12), int(ground - size), std::max(2, int(size * 0.24)), int(size), 0x6A4426);
  Disc(img, x, ground - size * 1.15, size * 0.55, 0x2E7A34);
  Disc(img, x - size * 0.3, ground - size * 0.95, size * 0.4, 0x2E7A34);
  Disc(img, x + size * 0.3, ground - size * 0.95, size * 0.4, 0x2A6E30);
  Disc(img, x - size * 0.15, ground - size * 1.3, size * 0.25, 0x4A9C48);
}

void Meadow(plat::Image& img) {
  Silhouette(img, 0, kWidth, [](double x) { return 150 + 14 * std::sin(x * 0.02 + 0.5); }, 0x8CC46A, 0x6AA850);
  Silhouette(img, 0, kWidth, [](double x) { return 200 + 8 * std::sin(x * 0.03 + 2.0); },
             0x5EA448, 0x3E8034);
  Random rnd(42);
  for (int i = 0; i < 160; ++i) {  // flowers in the grass
    const int x = rnd.Below(kWidth), y = 205 + rnd.Below(35);
    if (x > 118 && x < 162 && y < 222) continue;  // keep the doorstep clear
    const Rgb colours[] = {0xF8E060, 0xF4F4F4, 0xE86A8A, 0xB08AE8};
    Blend(img, x, y, colours[rnd.Below(4)], 0.9);
  }
  for (int y = 215; y < kHeight; ++y) {  // path from the door
    const int half = 4 + (y - 215) / 3;
    for (int x = 140 - half; x <= 140 + half; ++x) Blend(img, x, y, 0xC8A878, 0.85);
  }
}

}  // namespace

plat::Image PaintScene() {
  plat::Image img{kWidth, kHeight, std::vector<Rgb>(std::size_t(kWidth) * kHeight, 0)};
  VerticalGradient(img, 0, kHeight, {{0.0, 0x4A90D8}, {0.6, 0xA8D4F0}, {1.0, 0xDCEFF8}});
  Glow(img, 52, 40, 40, 0xFFF4C0, 0.6);
  Disc(img, 52, 40, 14, 0xFFF0A0);
  for (auto [x, y] : {std::pair{200.0, 40.0}, {232.0, 62.0}}) {  // clouds
    Disc(img, x, y, 10, 0xFFFFFF, 0.9);
    Disc(img, x + 12, y - 4, 12, 0xFFFFFF, 0.9);
    Disc(img, x + 26, y, 9, 0xFFFFFF, 0.9);
  }
  Silhouette(img, 0, kWidth, [](double x) { return 120 + 18 * std::sin(x * 0.015 + 2.5); }, 0x7A9CC0, 0x8AB0C8);
  Meadow(img);
  Tree(img, 60, 200, 34);
  Tree(img, 258, 196, 40);
  Tree(img, 292, 204, 26);
  Cottage(img);
  return img;
}

}  // namespace art
