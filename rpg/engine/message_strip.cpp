#include "rpg/engine/message_strip.h"

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr uint32_t kBlack = 0x000000;

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
  const uint8_t left = uint8_t(78 - w - 4 * textBytes);
  const uint8_t right = uint8_t(82 + 4 * textBytes);
  ClearRect(left, y, right, int16_t(y + h));
  DrawPicToScreen(11, 2, 8, 0, left, y);
  DrawPicToScreen(11, 2, 8, 1, right, y);
  DrawRect(int16_t(left + w - 1), int16_t(y + 1), right, int16_t(y + h - 2), kBlack, 0, nullptr);
  return {uint8_t(left + w + 1), uint8_t(y + 4)};
}
