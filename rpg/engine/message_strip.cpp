#include "rpg/engine/message_strip.h"

#include <algorithm>

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr int kScreenWidth = 160;

}  // namespace

StripTextAt MessageStrip(int line, int textBytes) {
  if (game.runStatus) return {};
  const std::optional<PicInfo> ends = ReadPicHeader(LibResource(11, 2, 8));
  game.runStatus = 0;
  const int w = ends ? ends->width : 0;
  const int h = ends ? ends->height : 0;
  int top = 24 - h / 4;
  if (line == 1) top += h + 4;
  if (line == 2) top += (h + 4) / 2;
  const uint8_t y = uint8_t(top);
  // A strip wider than the screen (a long reward line) is held to it, both
  // end pieces on the screen, rather than wrapping its ends to 8 bits.
  const uint8_t left = uint8_t(std::max(0, 78 - w - 4 * textBytes));
  const uint8_t right = uint8_t(std::clamp(82 + 4 * textBytes, 0, std::max(0, kScreenWidth - w)));
  ClearRect(left, y, right, int16_t(y + h));
  DrawPicToScreen(11, 2, 8, 0, left, y);
  DrawPicToScreen(11, 2, 8, 1, right, y);
  DrawRect(int16_t(left + w - 1), int16_t(y + 1), right, int16_t(y + h - 2), kBlack, 0, nullptr);
  return {uint8_t(left + w + 1), uint8_t(y + 4)};
}
