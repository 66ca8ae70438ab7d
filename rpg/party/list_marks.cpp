#include "rpg/party/list_marks.h"

#include "host/canvas.h"
#include "rpg/engine/blit.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr int32_t kSolid = 0;

// One byte a row, the leftmost pixel in bit 7:
//   #...... ##..... ###.... ####... #####.. ######. #######
//   then back down to #......
constexpr uint8_t kPointer[13] = {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE,
                                  0xFC, 0xF8, 0xF0, 0xE0, 0xC0, 0x80};

}  // namespace

void ScreenLine(int x0, int y0, int x1, int y1) {
  DrawLine(int16_t(x0), int16_t(y0), int16_t(x1), int16_t(y1), kBlack, kSolid, nullptr);
}

void ScreenFrame(int x0, int y0, int x1, int y1) {
  DrawRect(int16_t(x0), int16_t(y0), int16_t(x1), int16_t(y1), kBlack, kSolid, nullptr);
}

void DrawPointer(int x, int y) {
  BlitPicScreen(int16_t(x), int16_t(y), int16_t(x + 6), int16_t(y + 12), kPointer, 0);
}
