#include "rpg/engine/numbers.h"

#include "rpg/engine/input.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr int kCellWidth = 8;

}  // namespace

void DrawInt(uint8_t x, uint8_t y, uint32_t value, int radix, int isSigned) {
  if (radix < 2 || radix > 16) return;
  uint32_t magnitude = value;
  if (isSigned == 1 && int32_t(value) < 0) {
    DrawCharAt(x, y, '-');
    x = uint8_t(x + kCellWidth);
    magnitude = 0u - value;
  }
  char digits[32];
  int count = 0;
  do {
    digits[count++] = kDigits[magnitude % uint32_t(radix)];
    magnitude /= uint32_t(radix);
  } while (magnitude != 0);
  while (count > 0) {
    DrawCharAt(x, y, digits[--count]);
    x = uint8_t(x + kCellWidth);
  }
}

void PrintInt(uint8_t x, uint8_t y, uint32_t value, int radix, int isSigned) {
  DrawInt(x, y, value, radix, isSigned);
}

void PrintIntWait(uint8_t x, uint8_t y, uint32_t value, int radix, int isSigned) {
  PrintInt(x, y, value, radix, isSigned);
  WaitEnterOrEsc();
}

void ShowHex(uint32_t value) {
  DrawString(0, 0, "        ");
  DrawInt(0, 0, value, 16, 0);
}

void ShowHexWait(uint32_t value) {
  ShowHex(value);
  WaitEnterOrEsc();
}
