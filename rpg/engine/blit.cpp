#include "rpg/engine/blit.h"

#include "host/canvas.h"
#include "rpg/engine/game_state.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

// Rows of `rowBytes` that `bits` holds whole, at most `h`.
int WholeRows(std::span<const uint8_t> bits, std::size_t rowBytes, int h) {
  if (rowBytes == 0) return 0;
  const std::size_t rows = bits.size() / rowBytes;
  return rows < std::size_t(h) ? int(rows) : h;
}

void DrawMono(int x0, int y0, int w, int h, std::span<const uint8_t> bits, Canvas* canvas) {
  const std::size_t rowBytes = std::size_t(w + 7) / 8;
  const int rows = WholeRows(bits, rowBytes, h);
  for (int r = 0; r < rows; ++r) {
    const uint8_t* row = bits.data() + std::size_t(r) * rowBytes;
    for (int c = 0; c < w; ++c) {
      const bool black = row[c / 8] & (0x80 >> (c % 8));
      PutPixel(int16_t(x0 + c), int16_t(y0 + r), black ? kBlack : kWhite, canvas);
    }
  }
}

void DrawMasked(int x0, int y0, int w, int h, std::span<const uint8_t> bits, Canvas* canvas) {
  const std::size_t rowBytes = std::size_t(w + 7) / 8 * 2;
  const int rows = WholeRows(bits, rowBytes, h);
  for (int r = 0; r < rows; ++r) {
    const uint8_t* row = bits.data() + std::size_t(r) * rowBytes;
    for (int c = 0; c < w; ++c) {
      const int value = (row[c / 4] >> (6 - 2 * (c % 4))) & 3;
      if (value < 2) PutPixel(int16_t(x0 + c), int16_t(y0 + r), value ? kBlack : kWhite, canvas);
    }
  }
}

}  // namespace

void BlitMono(int16_t x0, int16_t y0, int16_t x1, int16_t y1, std::span<const uint8_t> bits,
              Canvas* canvas) {
  if (!canvas) return BlitPicScreen(x0, y0, x1, y1, bits, 0);
  const int w = x1 - x0 + 1;
  const int h = y1 - y0 + 1;
  if (w > 0 && h > 0) DrawMono(x0, y0, w, h, bits, canvas);
}

void BlitMasked(int16_t x, int16_t y, int16_t w, int16_t h, std::span<const uint8_t> bits,
                Canvas* canvas) {
  const int x1 = x + w - 1;
  const int y1 = y + h - 1;
  if (x1 < x || y1 < y) return;
  if (!canvas) return BlitPicScreen(x, y, int16_t(x1), int16_t(y1), bits, 1);
  DrawMasked(x, y, w, h, bits, canvas);
}

void BlitPicScreen(int16_t x0, int16_t y0, int16_t x1, int16_t y1, std::span<const uint8_t> bits,
                   int depthFlag) {
  Canvas* scratch = game.scratchCanvas;
  const int w = x1 - x0 + 1;
  const int h = y1 - y0 + 1;
  if (!scratch || (depthFlag != 0 && depthFlag != 1)) return;
  CanvasCopy(scratch, nullptr);
  if (w > 0 && h > 0) {
    if (depthFlag == 0) DrawMono(x0, y0, w, h, bits, scratch);
    if (depthFlag == 1) DrawMasked(x0, y0, w, h, bits, scratch);
  }
  CanvasCopy(nullptr, scratch);
  CanvasClear(scratch);
}

void BlitFrame(int16_t x, int16_t y, int w, int h, int depth, std::span<const uint8_t> bits,
               Canvas* canvas) {
  if (depth == 2) return BlitMasked(x, y, int16_t(w), int16_t(h), bits, canvas);
  BlitMono(x, y, int16_t(x + w - 1), int16_t(y + h - 1), bits, canvas);
}
