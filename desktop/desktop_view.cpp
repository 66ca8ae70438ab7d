// What the Desktop draws, and where its rows are on the screen.

#include <cstring>

#include "desktop/desktop.h"
#include "desktop/desktop_state.h"
#include "host/device_api.h"

namespace {

constexpr char kBackgroundPath[] = "..\\AppEntry\\desktop.bmp";
constexpr int16_t kScreenWidth = 320;
constexpr int16_t kScreenHeight = 240;
constexpr int16_t kIconSize = 32;
// Icon and label together.
constexpr int kHitHeight = 54;
// A label sits this far below the icon's top, centred at 6 pixels per byte.
constexpr int kLabelTop = 38;
constexpr int kLabelBytePixels = 6;
// Font 0 (12 pixels) for the labels, font 3 (16 pixels) for applications.
constexpr uint8_t kLabelFont = 0;
constexpr uint8_t kAppFont = 3;
constexpr int32_t kOpaque = 2;
constexpr std::size_t kMaxRelativePath = 260;

const char* Title(const AppRow& row) { return row.title ? row.title : ""; }

// Loads a picture named relative to the host program's folder; false when
// there is none (the caller then leaves it out).
bool LoadPicture(ImageRef* image, const char* relative, int32_t mode) {
  if (!relative || std::strlen(relative) >= kMaxRelativePath) return false;
  char path[260 + kMaxRelativePath];
  ModulePath(path, relative);
  return LoadBmpFile(image, path, mode) == 1;
}

void DrawBackground(Canvas* target) {
  ImageRef picture{};
  if (!LoadPicture(&picture, kBackgroundPath, 0)) return;
  DrawImage(0, 0, kScreenWidth, kScreenHeight, 0, 0, picture, target, 0);
  ImageFree(&picture);
}

void UseLabelColours(Canvas* target) {
  SelectFont(kLabelFont, target);
  SetBackColor(kLabelBackColor, target);
  SetForeColor(kLabelTextColor, target);
}

// Labels are always opaque, so the back colour fills their cells whatever
// back mode the last application left on the screen.
void DrawLabel(const AppRow& row, Canvas* target) {
  const char* title = Title(row);
  const int length = int(std::strlen(title));
  const int16_t x = int16_t(row.x + kIconSize / 2 - length * kLabelBytePixels / 2);
  const int16_t y = int16_t(row.y + kLabelTop);
  DrawTextMode(x, y, title, target, kOpaque);
}

void DrawRow(const AppRow& row, Canvas* target) {
  ImageRef icon{};
  if (LoadPicture(&icon, row.iconPath, 1)) {
    DrawImage(int16_t(row.x), int16_t(row.y), kIconSize, kIconSize, 0, 0, icon, target, 1);
    ImageFree(&icon);
  }
  DrawLabel(row, target);
}

}  // namespace

int DrawDesktop() {
  const AppRow* table = desktop_state::Table();
  UseLabelColours(nullptr);
  DrawBackground(nullptr);

  // The rows are composed off screen and shown in one copy. Without a canvas
  // they are drawn on the screen directly.
  Canvas* canvas = CanvasCreate();
  if (canvas) {
    UseLabelColours(canvas);
    DrawBackground(canvas);
  }
  const int count = AppRowCount(table);
  for (int i = 0; i < count; ++i) DrawRow(table[i], canvas);
  if (canvas) {
    CanvasCopy(nullptr, canvas);
    CanvasFree(canvas);
  }
  return count;
}

void HighlightLabel(int index) {
  const AppRow* table = desktop_state::Table();
  const int count = AppRowCount(table);
  int& highlighted = desktop_state::Get().highlighted;
  if (highlighted >= 0 && highlighted < count) {
    SetBackColor(kLabelBackColor, nullptr);
    DrawLabel(table[highlighted], nullptr);
  }
  if (index >= 0 && index < count) {
    SetBackColor(kLabelSelectedColor, nullptr);
    DrawLabel(table[index], nullptr);
  }
  highlighted = index;
}

int HitTestIcon(int px, int py) {
  const AppRow* table = desktop_state::Table();
  const int count = AppRowCount(table);
  for (int i = 0; i < count; ++i) {
    // Wide arithmetic, so that a row at the edge of the number range cannot
    // overflow.
    const int64_t x = table[i].x;
    const int64_t y = table[i].y;
    if (x < px && px < x + kIconSize && y < py && py < y + kHitHeight) return i;
  }
  return -1;
}

void PrepareLaunch() {
  CanvasClear(nullptr);
  SetBackColor(0xFFFFFF, nullptr);
  SetForeColor(0x000000, nullptr);
  SelectFont(kAppFont, nullptr);
}
