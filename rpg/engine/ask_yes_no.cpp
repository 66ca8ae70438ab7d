#include "rpg/engine/ask_yes_no.h"

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr uint32_t kBlack = 0x000000;

void DrawBox(const char* text) {
  ClearRect(27, 15, 137, 81);
  DrawRect(28, 16, 132, 76, kBlack, 0, nullptr);
  ClearRect(32, 77, 136, 80);
  ClearRect(133, 20, 136, 80);
  DrawRect(44, 52, 70, 70, kBlack, 0, nullptr);
  DrawRect(92, 52, 116, 70, kBlack, 0, nullptr);
  DrawString(48, 54, "是");
  DrawString(96, 54, "否");
  DrawString(34, 24, text);
}

void Highlight(uint8_t answer) {
  if (answer == kAnswerYes) {
    InvertRect(43, 51, 71, 71, nullptr);
  } else {
    InvertRect(91, 51, 117, 71, nullptr);
  }
}

}  // namespace

uint8_t AskYesNo(uint8_t initial, const char* text) {
  uint8_t answer = initial == kAnswerYes ? kAnswerYes : kAnswerNo;
  DrawBox(text);
  Highlight(answer);
  Message m;
  while (NextMessage(&m)) {
    if (m.type == kQuitMessage) {
      game.runStatus = kQuit;
      return kAnswerNo;
    }
    if (m.type != MsgKeyDown) continue;
    if (m.wParam == kKeyEnter) return answer;
    const uint8_t wanted = m.wParam == kKeyLeft ? kAnswerYes : m.wParam == kKeyRight ? kAnswerNo : answer;
    if (wanted == answer) continue;
    Highlight(answer);
    answer = wanted;
    Highlight(answer);
  }
  return kAnswerNo;
}
