#pragma once
// Where the number grid draws on its 240 x 320 portrait screen, and the areas
// its clicks are tested against. The drawing and the rules both read these.

#include <cstdint>

namespace numgrid {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

// Board cells and palette digits are 24 x 24 on a 25-pixel pitch, so a
// one-pixel gap separates neighbours.
inline constexpr int kCellSize = 24;
inline constexpr int kCellPitch = 25;
inline constexpr int kBoardLeft = 7;
inline constexpr int kBoardTop = 8;
inline constexpr int kPaletteTop = 249;

// The board handler takes clicks above this line, the bar handler the rest.
inline constexpr int kBoardClickBottom = 232;

// Top-left corner of cell (column, row), both counted from 1.
inline constexpr int CellX(int column) { return kBoardLeft + kCellPitch * (column - 1); }
inline constexpr int CellY(int row) { return kBoardTop + kCellPitch * (row - 1); }
// Top-left corner of palette digit d (1 to 9).
inline constexpr int PaletteX(int digit) { return kBoardLeft + kCellPitch * (digit - 1); }

struct Point {
  int x, y;
};

// The point of a mouse Message: x in the low 16 bits of lParam, y in the
// high 16 bits, each signed.
inline constexpr Point PointFromLParam(uint32_t lParam) {
  return {int16_t(lParam & 0xFFFF), int16_t(lParam >> 16)};
}

// A rectangle given by its inclusive corners.
struct Area {
  int left, top, right, bottom;
  constexpr bool Contains(int x, int y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// The four buttons of the bar, in order New, Erase, Level, Exit: pictures of
// 54 x 22 and the smaller areas a click must hit.
inline constexpr int kButtonCount = 4;
inline constexpr int kButtonWidth = 54;
inline constexpr int kButtonHeight = 22;
inline constexpr int kButtonTop = 287;
inline constexpr int kButtonLeft[kButtonCount] = {7, 63, 119, 175};
inline constexpr Area kButtonHit[kButtonCount] = {
    {15, 290, 53, 306}, {71, 290, 109, 306}, {127, 290, 165, 306}, {183, 290, 221, 306}};

// The level dialog: one 92 x 39 button per level (1 to 5, index level - 1),
// drawn at these corners, hit inside the smaller areas.
inline constexpr int kLevelCount = 5;
inline constexpr int kLevelWidth = 92;
inline constexpr int kLevelHeight = 39;
inline constexpr Point kLevelAt[kLevelCount] = {
    {79, 11}, {15, 68}, {134, 71}, {15, 127}, {134, 127}};
inline constexpr Area kLevelHit[kLevelCount] = {{90, 15, 155, 44},
                                                {26, 72, 91, 101},
                                                {145, 72, 209, 101},
                                                {26, 129, 91, 159},
                                                {145, 129, 209, 159}};

// OK and Cancel: pressed pictures of 58 x 28 and their hit areas.
inline constexpr int kDialogButtonWidth = 58;
inline constexpr int kDialogButtonHeight = 28;
inline constexpr Point kOkAt{43, 284};
inline constexpr Point kCancelAt{136, 284};
inline constexpr Area kOkHit{51, 288, 94, 307};
inline constexpr Area kCancelHit{144, 288, 186, 307};

}  // namespace numgrid
