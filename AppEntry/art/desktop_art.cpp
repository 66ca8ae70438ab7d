// The Desktop's background: dusk over a mountain lake with a castle on the far
// shore. A darker panel down the left edge leaves calm room for the icons and
// their labels, which the Desktop lays out in columns from the top left.
#include <algorithm>
#include <cmath>
#include <utility>

#include "AppEntry/art/pictures.h"

namespace art {
namespace {

constexpr int kWidth = 320, kHeight = 240;
constexpr int kHorizon = 172;   // shore line; the lake lies below it
constexpr int kPanelRight = 72; // the icon panel covers x < kPanelRight

// A disc of radius r with a disc of nearly the same size, shifted by (dx, dy),
// taken out of it; both edges anti-aliased.
void Crescent(plat::Image& img, double cx, double cy, double r, double dx, double dy, Rgb colour) {
  for (int y = int(cy - r - 1); y <= int(cy + r + 1); ++y) {
    for (int x = int(cx - r - 1); x <= int(cx + r + 1); ++x) {
      const double lit = std::clamp(r - std::hypot(x + 0.5 - cx, y + 0.5 - cy) + 0.5, 0.0, 1.0);
      const double shade = std::clamp(r * 0.9 - std::hypot(x + 0.5 - cx - dx, y + 0.5 - cy - dy) + 0.5, 0.0, 1.0);
      Blend(img, x, y, colour, lit * (1 - shade));
    }
  }
}

void Sky(plat::Image& img) {
  VerticalGradient(img, 0, kHorizon, {{0.0, 0x0B1433}, {0.45, 0x23417A}, {0.8, 0x7A6A9A}, {1.0, 0xE8A070}});
  Random rnd(20261206);
  for (int i = 0; i < 90; ++i) {
    const int x = rnd.Below(kWidth), y = rnd.Below(110);
    const double bright = 0.25 + 0.75 * rnd.Unit() * (1 - y / 130.0);
    Blend(img, x, y, 0xFFF6E0, bright);
    if (rnd.Below(9) == 0) {  // a few larger stars with a faint cross
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) Blend(img, x + dx, y + dy, 0xFFF6E0, bright * 0.35);
    }
  }
  Glow(img, 258, 50, 44, 0xFFE7B0, 0.35);
  Crescent(img, 258, 50, 13, 6, -5, 0xFFF1CF);
}

double FarRange(double x) {
  return 118 + 16 * std::sin(x * 0.021 + 1.3) + 9 * std::sin(x * 0.057 + 0.4) + 4 * std::sin(x * 0.13);
}

double NearHills(double x) { return 150 + 10 * std::sin(x * 0.017 + 2.2) + 5 * std::sin(x * 0.045 + 1.1); }

// The castle stands on the near hills; towers and walls as rectangles, windows lit.
void Castle(plat::Image& img) {
  constexpr Rgb kStone = 0x1A2240, kLight = 0xFFD27A;
  const int base = int(NearHills(206)) + 2;
  FillRect(img, 188, base - 18, 40, 18, kStone);          // curtain wall
  FillRect(img, 182, base - 32, 10, 32, kStone);          // left tower
  FillRect(img, 224, base - 30, 10, 30, kStone);          // right tower
  FillRect(img, 201, base - 44, 14, 44, kStone);          // keep
  for (int x = 188; x < 228; x += 4) FillRect(img, x, base - 20, 2, 2, kStone);  // battlements
  for (int x : {182, 186, 190}) FillRect(img, x, base - 34, 2, 2, kStone);
  for (int x : {224, 228, 232}) FillRect(img, x, base - 32, 2, 2, kStone);
  for (int x : {201, 205, 209, 213}) FillRect(img, x, base - 46, 2, 2, kStone);
  FillRect(img, 208, base - 54, 1, 10, kStone);         // flag pole
  FillRect(img, 209, base - 54, 5, 3, 0xC04848);
  for (auto [x, y] : {std::pair{205, -36}, {210, -36}, {186, -24}, {228, -22}, {207, -26}}) {
    Glow(img, x + 0.5, base + y + 1.0, 4, kLight, 0.35);
    FillRect(img, x, base + y, 1, 2, kLight);
  }
}

// The lake mirrors the sky and the shore, broken into ripples.
void Lake(plat::Image& img) {
  Random rnd(7);
  for (int y = kHorizon; y < kHeight; ++y) {
    const int mirrored = 2 * kHorizon - y - 1;
    const double depth = double(y - kHorizon) / (kHeight - kHorizon);
    for (int x = 0; x < kWidth; ++x) {
      const int sx = std::clamp(x + int(std::lround(1.5 * std::sin(y * 0.9 + x * 0.05))), 0, kWidth - 1);
      const Rgb reflected = img.at(sx, std::clamp(mirrored, 0, kHorizon - 1));
      img.at(x, y) = Mix(Mix(reflected, 0x0E1A38, 0.35 + 0.45 * depth), 0x08102A, depth * 0.3);
    }
    if (rnd.Below(2) == 0) {  // a thin glint line
      const int x0 = 90 + rnd.Below(200), len = 6 + rnd.Below(18);
      for (int x = x0; x < x0 + len; ++x) Blend(img, x, y, 0xF3C89A, 0.25 * (1 - depth));
    }
  }
}

// A translucent panel down the left edge with a lit border, behind the icons.
void IconPanel(plat::Image& img) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kPanelRight; ++x) Blend(img, x, y, 0x0A1230, 0.45);
    Blend(img, kPanelRight, y, 0xB8C8F0, 0.35);
    Blend(img, kPanelRight + 1, y, 0x0A1230, 0.3);
  }
}

}  // namespace

plat::Image PaintDesktop() {
  plat::Image img{kWidth, kHeight, std::vector<Rgb>(std::size_t(kWidth) * kHeight, 0)};
  Sky(img);
  Silhouette(img, 0, kWidth, FarRange, 0x3B4A80, 0x2A3A6E);
  Silhouette(img, 0, kWidth, NearHills, 0x1E2A50, 0x182345);
  Castle(img);
  Lake(img);
  IconPanel(img);
  return img;
}

}  // namespace art
