// The background: a night-blue field with faint falling pieces, a steel
// frame round the black well, and two panels at the sides for the next
// piece and the score.
#include "content/blocks/background.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "AppEntry/art/paint.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text.h"

namespace blocks_art {
namespace {

using art::Rgb;

constexpr int kWidth = 240, kHeight = 320;
// The well's frame lines.
constexpr int kWellLeft = 44, kWellRight = 195, kWellTop = 8, kWellBottom = 309;

constexpr Rgb kPanelFill = 0x161C33, kPanelEdge = 0x5C6F9C, kPanelLight = 0x8CA2D0;
constexpr Rgb kLabel = 0xEEF2FF, kLabelShadow = 0x05070F;
constexpr Rgb kSteel = 0xA8C0DC;

// A rectangle's outline, x0..x1 and y0..y1 inclusive.
void Outline(plat::Image& img, int x0, int y0, int x1, int y1, Rgb colour) {
  art::FillRect(img, x0, y0, x1 - x0 + 1, 1, colour);
  art::FillRect(img, x0, y1, x1 - x0 + 1, 1, colour);
  art::FillRect(img, x0, y0, 1, y1 - y0 + 1, colour);
  art::FillRect(img, x1, y0, 1, y1 - y0 + 1, colour);
}

void Backdrop(plat::Image& img) {
  art::VerticalGradient(img, 0, kHeight, {{0.0, 0x101633}, {0.55, 0x1C1A44}, {1.0, 0x2E1B45}});
  art::Random rnd(140611);
  for (int i = 0; i < 70; ++i) {
    const int x = rnd.Below(kWidth), y = rnd.Below(kHeight);
    art::Blend(img, x, y, 0xDDE6FF, 0.15 + 0.45 * rnd.Unit());
  }
}

// A piece drawn as soft squares of `size` pixels, for the decoration.
void GhostPiece(plat::Image& img, int x, int y, int size, std::initializer_list<std::pair<int, int>> cells,
                Rgb colour, double opacity) {
  for (auto [c, r] : cells) {
    const int px = x + c * size, py = y + r * size;
    for (int j = 0; j < size - 1; ++j) {
      for (int i = 0; i < size - 1; ++i) {
        const bool edge = i == 0 || j == 0 || i == size - 2 || j == size - 2;
        art::Blend(img, px + i, py + j, colour, opacity * (edge ? 1.0 : 0.55));
      }
    }
  }
}

void Decoration(plat::Image& img) {
  // Left: pieces drifting down; right: a small settled stack.
  GhostPiece(img, 8, 150, 7, {{1, 0}, {1, 1}, {1, 2}, {0, 2}}, 0x7FD8FF, 0.35);
  GhostPiece(img, 14, 205, 7, {{0, 0}, {1, 0}, {2, 0}, {1, 1}}, 0xFF9CD2, 0.3);
  GhostPiece(img, 6, 250, 7, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 0xFFE07F, 0.28);
  GhostPiece(img, 203, 281, 8, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}, 0x7FD8FF, 0.35);
  GhostPiece(img, 203, 281, 8, {{0, 1}, {1, 1}, {1, 0}}, 0xFF9CD2, 0.3);
  GhostPiece(img, 203, 281, 8, {{3, 1}, {3, 0}, {2, 1}}, 0x9CFFB0, 0.3);
}

void Well(plat::Image& img) {
  // A bevel of three pixels round the frame, lit from the top left.
  for (int i = 1; i <= 3; ++i) {
    const double t = (i - 1) / 3.0;
    const Rgb lit = art::Mix(0x6C86B4, 0x34405E, t), shade = art::Mix(0x2A3350, 0x141A2C, t);
    const int x0 = kWellLeft - i, x1 = kWellRight + i, y0 = kWellTop - i, y1 = kWellBottom + i;
    art::FillRect(img, x0, y0, x1 - x0 + 1, 1, lit);
    art::FillRect(img, x0, y0, 1, y1 - y0 + 1, lit);
    art::FillRect(img, x0, y1, x1 - x0 + 1, 1, shade);
    art::FillRect(img, x1, y0 + 1, 1, y1 - y0, shade);
  }
  Outline(img, kWellLeft, kWellTop, kWellRight, kWellBottom, kSteel);
  art::FillRect(img, kWellLeft + 1, kWellTop + 1, kWellRight - kWellLeft - 1, kWellBottom - kWellTop - 1, 0);
}

void Panel(plat::Image& img, int x0, int y0, int x1, int y1) {
  art::FillRect(img, x0 + 1, y0 + 1, x1 - x0 - 1, y1 - y0 - 1, kPanelFill);
  Outline(img, x0, y0, x1, y1, kPanelEdge);
  art::FillRect(img, x0 + 1, y0, x1 - x0 - 1, 1, kPanelLight);
  // Rounded corners: the corner pixels take the backdrop half back.
  for (auto [x, y] : {std::pair{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}}) {
    img.at(x, y) = art::Mix(img.at(x, y), 0x101633, 0.6);
  }
}

// GB2312 text in the 12-pixel Hei font, with a one-pixel shadow. Only the
// glyph pixels change: the text is drawn on a copy whose other pixels are
// magenta and merged back.
void Label(plat::Image& img, int x, int y, const char* text) {
  constexpr Rgb kKey = 0xFF00FF;
  plat::Image layer{img.width, img.height, std::vector<std::uint32_t>(img.pixels.size(), kKey)};
  plat::HBITMAP bitmap = plat::CreateBitmapFromImage(layer);
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  plat::SelectObject(dc, bitmap);
  plat::HFONT font = plat::CreateFontA(12, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::GB2312_CHARSET, 0, 0, 0,
                                       plat::FIXED_PITCH, "黑体");
  if (font) plat::SelectObject(dc, static_cast<plat::HGDIOBJ>(font));
  plat::SetBkMode(dc, plat::TRANSPARENT);
  const int length = int(std::strlen(text));
  // Two marker colours (0x00BBGGRR here), replaced by the real ones below.
  plat::SetTextColor(dc, 0x000001);
  plat::TextOutA(dc, x + 1, y + 1, text, length);
  plat::SetTextColor(dc, 0x000002);
  plat::TextOutA(dc, x, y, text, length);
  const plat::Image drawn = plat::ImageFromBitmap(*bitmap);
  plat::DeleteDC(dc);
  plat::DeleteObject(bitmap);
  if (font) plat::DeleteObject(font);
  for (std::size_t i = 0; i < img.pixels.size(); ++i) {
    if (drawn.pixels[i] == 0x010000) img.pixels[i] = kLabelShadow;
    if (drawn.pixels[i] == 0x020000) img.pixels[i] = kLabel;
  }
}

// The panels: the next piece on the left, the score on the right.
void Panels(plat::Image& img) {
  Panel(img, 1, 36, 40, 92);
  Outline(img, 7, 58, 35, 85, kPanelEdge);
  art::FillRect(img, 8, 59, 27, 26, 0);
  Label(img, 3, 41, "下一个");

  // The digits' segments span x 204-235 and y 68-76.
  Panel(img, 199, 36, 238, 92);
  art::FillRect(img, 202, 63, 36, 18, kDigitPlate);
  Label(img, 207, 41, "分数");
}

}  // namespace

plat::Image PaintBackground() {
  plat::Image img{kWidth, kHeight, std::vector<std::uint32_t>(std::size_t(kWidth) * kHeight)};
  Backdrop(img);
  Decoration(img);
  Well(img);
  Panels(img);
  return img;
}

}  // namespace blocks_art
