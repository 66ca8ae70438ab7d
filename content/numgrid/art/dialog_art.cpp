// The level dialog: five level buttons on a deep blue card, a line on what
// the levels mean, OK and Cancel. A highlighted level turns gold.
#include <string>

#include "content/numgrid/art/art_kit.h"
#include "content/numgrid/art/numgrid_art.h"
#include "games/numgrid/numgrid_layout.h"

namespace numgrid_art {

namespace {

using namespace numgrid;

constexpr const char* kLevelNames[kLevelCount] = {"入门", "初级", "中级", "高级", "专家"};

void Card(plat::Image& img) {
  art::VerticalGradient(img, 0, kScreenHeight, {{0.0, 0x1E3350}, {1.0, 0x101B2B}});
  FramedBox(img, {6, 176, 228, 96}, 8, 0x3E5A80, 0x1A2B42, 0x15233A);
  DrawLabel(img, "选择难度", 120, 196, 16, 0xF2D27A, 1);
  DrawLabel(img, "难度越高，开局给出的", 120, 222, 12, 0xC4D2E6);
  DrawLabel(img, "数字越少，也越考验推理。", 120, 240, 12, 0xC4D2E6);
  DrawLabel(img, "确定后棋盘清空，按新局开始。", 120, 258, 12, 0x8FA4C2);
}

// Level `level`'s button: its name and as many stars as its number.
void LevelButton(plat::Image& img, int level, bool highlighted) {
  const Point at = kLevelAt[level - 1];
  const Rect box{at.x, at.y, kLevelWidth, kLevelHeight};
  const Rgb edge = highlighted ? 0xFFF1B8 : 0x5F82AE;
  const Rgb top = highlighted ? 0xF7D56A : 0x35557E;
  const Rgb bottom = highlighted ? 0xD99A22 : 0x243C5C;
  const Rgb ink = highlighted ? 0x3A2606 : 0xEAF0F8;
  RoundedBox(img, {box.x + 1, box.y + 3, box.w - 2, box.h - 3}, 8, 0x060B12, 0x060B12, 0.55);
  FramedBox(img, {box.x + 1, box.y + 1, box.w - 2, box.h - 3}, 8, edge, top, bottom);
  DrawLabel(img, kLevelNames[level - 1], box.x + box.w / 2.0, box.y + 14, 16, ink, 1);
  const double first = box.x + box.w / 2.0 - 5.0 * (level - 1);
  for (int i = 0; i < level; ++i) {
    art::Disc(img, first + 10.0 * i, box.y + 29.5, 3.0, highlighted ? 0x8A4B00 : 0xF2C14E);
  }
}

void DialogButton(plat::Image& img, int index, bool pressed) {
  const Point at = index == 0 ? kOkAt : kCancelAt;
  const Rect box{at.x, at.y, kDialogButtonWidth, kDialogButtonHeight};
  const Rgb top = index == 0 ? 0x5CC48A : 0x8C9AB0;
  const Rgb bottom = index == 0 ? 0x2F8A58 : 0x5A677C;
  const char* label = index == 0 ? "确定" : "取消";
  if (pressed) {
    FramedBox(img, {box.x + 1, box.y + 2, box.w - 2, box.h - 3}, 6, 0x05090F,
              art::Mix(bottom, 0, 0.25), art::Mix(top, 0, 0.2));
    DrawLabel(img, label, box.x + box.w / 2.0 + 0.5, box.y + box.h / 2.0 + 1.5, 16, 0xE4E4E4, 1);
    return;
  }
  RoundedBox(img, {box.x + 1, box.y + 3, box.w - 2, box.h - 3}, 6, 0x05090F, 0x05090F, 0.5);
  FramedBox(img, {box.x + 1, box.y + 1, box.w - 2, box.h - 3}, 6, art::Mix(bottom, 0, 0.35), top,
            bottom);
  DrawLabel(img, label, box.x + box.w / 2.0, box.y + box.h / 2.0 - 0.5, 16, 0xFFFFFF, 1);
}

plat::Image Dialog(bool highlighted, bool pressed) {
  plat::Image img = Blank(kScreenWidth, kScreenHeight, 0);
  Card(img);
  for (int level = 1; level <= kLevelCount; ++level) LevelButton(img, level, highlighted);
  for (int index = 0; index < 2; ++index) DialogButton(img, index, pressed);
  return img;
}

}  // namespace

plat::Image PaintDialog() { return Dialog(false, false); }

plat::Image PaintLevelHighlight(int level) {
  const Point at = kLevelAt[level - 1];
  return Crop(Dialog(true, false), {at.x, at.y, kLevelWidth, kLevelHeight});
}

plat::Image PaintPressedDialogButton(int button) {
  const Point at = button == 0 ? kOkAt : kCancelAt;
  return Crop(Dialog(false, true), {at.x, at.y, kDialogButtonWidth, kDialogButtonHeight});
}

}  // namespace numgrid_art
