// The board screen: a cool night-blue backdrop, the grid on a cream panel
// with alternate boxes tinted, palette slots and four coloured buttons.
#include "content/numgrid/art/art_kit.h"
#include "content/numgrid/art/numgrid_art.h"
#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_rules.h"

namespace numgrid_art {

namespace {

using namespace numgrid;

constexpr Rgb kGapColour = 0xC3CAD6;
constexpr Rgb kBoxLineColour = 0x2F3F58;
constexpr Rgb kCellLight = 0xFBF8F0;
constexpr Rgb kCellTinted = 0xE9EEF6;

struct ButtonStyle {
  const char* label;
  Rgb top, bottom;
};
constexpr ButtonStyle kButtons[kButtonCount] = {
    {"新局", 0x5CC48A, 0x2F8A58},
    {"擦除", 0xF2A65A, 0xC26A24},
    {"难度", 0x6D9BEA, 0x3A64B8},
    {"退出", 0xE2716A, 0xA63A34},
};

void Backdrop(plat::Image& img) {
  art::VerticalGradient(img, 0, kScreenHeight,
                        {{0.0, 0x2C4A6A}, {0.55, 0x203852}, {1.0, 0x172739}});
  // A soft shadow under the board panel.
  RoundedBox(img, {4, 7, 234, 230}, 6, 0x0A121C, 0x0A121C, 0.45);
}

void Grid(plat::Image& img) {
  const int right = CellX(kGridSize) + kCellSize;   // the gap column right of the last cell
  const int bottom = CellY(kGridSize) + kCellSize;  // the gap row below the last row
  art::FillRect(img, kBoardLeft - 2, kBoardTop - 2, right - kBoardLeft + 4, bottom - kBoardTop + 4,
                kBoxLineColour);
  art::FillRect(img, kBoardLeft, kBoardTop, right - kBoardLeft, bottom - kBoardTop, kGapColour);
  // Box borders lie in the gaps after every third cell.
  for (int i = 3; i < kGridSize; i += 3) {
    art::FillRect(img, CellX(i) + kCellSize, kBoardTop, 1, bottom - kBoardTop, kBoxLineColour);
    art::FillRect(img, kBoardLeft, CellY(i) + kCellSize, right - kBoardLeft, 1, kBoxLineColour);
  }
  for (int column = 1; column <= kGridSize; ++column) {
    for (int row = 1; row <= kGridSize; ++row) {
      const bool tinted = ((column - 1) / 3 + (row - 1) / 3) % 2 == 1;
      art::FillRect(img, CellX(column), CellY(row), kCellSize, kCellSize,
                    tinted ? kCellTinted : kCellLight);
    }
  }
}

void Palette(plat::Image& img) {
  DrawLabel(img, "选择数字", 34, 241, 12, 0x9FB3CC);
  for (int digit = 1; digit <= kGridSize; ++digit) {
    RoundedBox(img, {PaletteX(digit) + 1, kPaletteTop + 2, kCellSize, kCellSize}, 4, 0x0B1420,
               0x0B1420, 0.5);
    FramedBox(img, {PaletteX(digit), kPaletteTop, kCellSize, kCellSize}, 4, 0x8C98AA, 0xFFFDF7,
              0xEDE8DC);
  }
  art::FillRect(img, kBoardLeft, 280, CellX(kGridSize) + kCellSize - kBoardLeft, 1, 0x3B5676);
}

void Button(plat::Image& img, int index, bool pressed) {
  const ButtonStyle& style = kButtons[index];
  const Rect box{kButtonLeft[index], kButtonTop, kButtonWidth, kButtonHeight};
  if (pressed) {
    FramedBox(img, box, 5, 0x0C1622, art::Mix(style.bottom, 0x000000, 0.25),
              art::Mix(style.top, 0x000000, 0.2));
    DrawLabel(img, style.label, box.x + box.w / 2.0 + 0.5, box.y + box.h / 2.0 + 1, 14, 0xE8E8E8,
              1);
    return;
  }
  RoundedBox(img, {box.x + 1, box.y + 2, box.w - 1, box.h - 2}, 5, 0x0A121C, 0x0A121C, 0.5);
  FramedBox(img, {box.x, box.y, box.w - 1, box.h - 1}, 5, art::Mix(style.bottom, 0x000000, 0.35),
            style.top, style.bottom);
  art::FillRect(img, box.x + 4, box.y + 2, box.w - 9, 1, art::Mix(style.top, 0xFFFFFF, 0.45));
  DrawLabel(img, style.label, box.x + (box.w - 1) / 2.0 + 1, box.y + (box.h - 1) / 2.0 + 1, 14,
            art::Mix(style.bottom, 0x000000, 0.5), 1);
  DrawLabel(img, style.label, box.x + (box.w - 1) / 2.0, box.y + (box.h - 1) / 2.0, 14, 0xFFFFFF,
            1);
}

plat::Image Board(bool pressed) {
  plat::Image img = Blank(kScreenWidth, kScreenHeight, 0);
  Backdrop(img);
  Grid(img);
  Palette(img);
  for (int i = 0; i < kButtonCount; ++i) Button(img, i, pressed);
  return img;
}

}  // namespace

plat::Image PaintBackground() { return Board(false); }

plat::Image PaintPressedButton(int button) {
  return Crop(Board(true), {kButtonLeft[button], kButtonTop, kButtonWidth, kButtonHeight});
}

}  // namespace numgrid_art
