#include "rpg/engine/ui_text.h"

#include "host/canvas.h"
#include "host/text.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
// The screen's current back mode: DrawTextMode leaves it as it is for 0.
constexpr int32_t kCurrentBackMode = 0;
constexpr int kLineHeight = 16;

}  // namespace

void DrawString(int16_t x, int16_t y, const char* text) { DrawText(x, y, text, nullptr); }

void DrawCharAt(int16_t x, int16_t y, char ch) {
  const char text[2] = {ch, 0};
  DrawTextMode(x, y, text, nullptr, kCurrentBackMode);
}

void DrawWideCharAt(int16_t x, int16_t y, const char* twoBytes) {
  const char text[3] = {twoBytes[0], twoBytes[1], 0};
  DrawTextMode(x, y, text, nullptr, kCurrentBackMode);
}

void DrawTextRows(int16_t x, int16_t y, std::span<const uint8_t> text) {
  for (std::size_t start = 0;; start += kTextRowBytes, y = int16_t(y + kLineHeight)) {
    char row[kTextRowBytes + 1] = {};
    for (std::size_t i = 0; i < kTextRowBytes && start + i < text.size() && text[start + i]; ++i) {
      row[i] = char(text[start + i]);
    }
    DrawString(x, y, row);
    if (row[0] == 0) return;
  }
}

void ClearScreen() { CanvasClear(nullptr); }

void ClearRect(int16_t x0, int16_t y0, int16_t x1, int16_t y1) {
  FillRectColor(x0, y0, x1, y1, kWhite, nullptr);
}
