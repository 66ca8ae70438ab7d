#include "rpg/engine/input.h"

#include "host/msg.h"
#include "rpg/engine/game_state.h"

namespace {

constexpr uint32_t kPollTickMs = 50;

}  // namespace

bool NextMessage(Message* out) {
  if (GetMsg(out)) return true;
  if (!game.runStatus) game.runStatus = kQuit;
  return false;
}

uint8_t PollKey() {
  StopTimer(kGameTimer);
  StartTimer(kFastTimer, kPollTickMs);
  uint8_t key = kNoKey;
  Message m;
  while (NextMessage(&m)) {
    if (m.type == MsgKeyDown) {
      key = uint8_t(m.wParam);
      break;
    }
    if (m.type == MsgTimer) break;
  }
  StopTimer(kFastTimer);
  StartTimer(kGameTimer, kGameTickMs);
  return key;
}

void WaitTicks(int ticks, bool stopOnKey) {
  if (game.runStatus) return;
  Message m;
  for (int timers = 0; timers <= ticks && NextMessage(&m);) {
    if (m.type == MsgTimer) ++timers;
    if (m.type != MsgKeyDown) continue;
    if (m.wParam == kKeyEscape && game.manualCommands == 0) game.manualCommands = 1;
    if (stopOnKey) return;
  }
}

void WaitEnterOrEsc() {
  Message m;
  while (NextMessage(&m)) {
    if (m.type == MsgKeyDown && (m.wParam == kKeyEnter || m.wParam == kKeyEscape)) return;
  }
}

uint8_t WaitKeyDown() {
  Message m;
  while (NextMessage(&m)) {
    if (m.type == MsgKeyDown) return uint8_t(m.wParam);
  }
  return kNoKey;
}
