#include "rpg/engine/pictures.h"

#include "host/canvas.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/sprite_images.h"

namespace {

// The built-in digits, 4 pixels wide (high nibble) and 7 rows high.
constexpr uint8_t kDigitGlyphs[10][7] = {
    {0x60, 0x90, 0x90, 0x90, 0x90, 0x90, 0x60}, {0x40, 0xC0, 0x40, 0x40, 0x40, 0x40, 0xE0},
    {0x60, 0x90, 0x10, 0x20, 0x40, 0x80, 0xF0}, {0xE0, 0x10, 0x10, 0xE0, 0x10, 0x10, 0xE0},
    {0x20, 0x60, 0xA0, 0xA0, 0xA0, 0xF0, 0x20}, {0xF0, 0x80, 0xE0, 0x10, 0x10, 0x90, 0x60},
    {0x60, 0x90, 0x80, 0xE0, 0x90, 0x90, 0x60}, {0xF0, 0x10, 0x10, 0x20, 0x40, 0x40, 0x40},
    {0x60, 0x90, 0x90, 0x60, 0x90, 0x90, 0x60}, {0x60, 0x90, 0x90, 0x70, 0x10, 0x90, 0x60},
};
constexpr int kDigitAdvance = 5;

// The frame of a library picture, or nothing (runStatus back to 0) when the
// picture is missing, damaged or lacks the frame.
struct Frame {
  PicInfo pic;
  std::span<const uint8_t> bits;
};
std::optional<Frame> FindFrame(uint8_t type, uint8_t id1, uint8_t id2, int frame) {
  const std::optional<PicInfo> pic = ReadPicHeader(LibResource(type, id1, id2));
  game.runStatus = 0;
  if (!pic) return std::nullopt;
  const std::span<const uint8_t> bits = PicFrameBits(*pic, frame);
  if (bits.empty()) return std::nullopt;
  return Frame{*pic, bits};
}

}  // namespace

void DrawPic(uint8_t type, uint8_t id1, uint8_t id2, int frame, int16_t x, int16_t y) {
  if (game.runStatus) return;
  const std::optional<Frame> f = FindFrame(type, id1, id2, frame);
  if (f) BlitFrame(x, y, f->pic.width, f->pic.height, f->pic.depth, f->bits, game.sceneCanvas);
}

void DrawPicCached(uint8_t type, uint8_t id1, uint8_t id2, int frame, int16_t x, int16_t y) {
  if (game.runStatus) return;
  const std::optional<Frame> f = FindFrame(type, id1, id2, frame);
  if (!f) return;
  DrawFrameArea({f->bits, f->pic.width, f->pic.depth}, 0, 0, f->pic.width, f->pic.height, x, y,
                game.sceneCanvas);
}

void DrawPicToScreen(uint8_t type, uint8_t id1, uint8_t id2, int frame, uint8_t x, uint8_t y) {
  if (game.runStatus) return;
  const std::optional<Frame> f = FindFrame(type, id1, id2, frame);
  if (!f) return;
  if (f->pic.depth == 2) {
    BlitMasked(x, y, int16_t(f->pic.width), int16_t(f->pic.height), f->bits, nullptr);
  } else {
    BlitPicScreen(x, y, uint8_t(x + f->pic.width - 1), uint8_t(y + f->pic.height - 1), f->bits, 0);
  }
}

void DrawNumber(int16_t x, int16_t y, uint32_t value, int style) {
  uint8_t digits[10];
  int count = 0;
  do {
    digits[count++] = uint8_t(value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) {
    const uint8_t digit = digits[--count];
    if (style == 1) DrawPic(11, 2, 5, digit, x, y);
    if (style == 0) BlitPicScreen(x, y, int16_t(x + 3), int16_t(y + 6), kDigitGlyphs[digit], 0);
    x = int16_t(x + kDigitAdvance);
  }
}

void CopyScreen(Canvas* dst, Canvas* src) { CanvasCopy(dst, src); }

void PresentScene() { CopyScreen(nullptr, game.sceneCanvas); }

void SaveScene() { CopyScreen(game.mapCanvas, game.sceneCanvas); }

void RestoreScene() { CopyScreen(game.sceneCanvas, game.mapCanvas); }
