#include "rpg/battle/target_select.h"

#include "host/msg.h"
#include "host/types.h"
#include "rpg/battle/command_panel.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"

namespace {

constexpr uint8_t kNone = 255;

struct Candidates {
  uint8_t slot[3];
  int count = 0;
};

Candidates FindCandidates(int side, int actor) {
  Candidates c;
  const int first = side == kPartySide ? actor : 0;
  for (int k = 0; k < 3; ++k) {
    const int slot = (first + k) % 3;
    if (Occupied({side, slot})) c.slot[c.count++] = uint8_t(slot);
  }
  return c;
}

void ShowCursors(int side, int actor, uint8_t target, int phase) {
  PresentScene();
  DrawCursor(kMemberCursor, MemberCursorAt(actor), phase);
  if (side == kEnemySide) {
    DrawCursor(kEnemyCursor, EnemyCursorAt(target), phase);
  } else {
    DrawCursor(kMemberCursor, MemberCursorAt(target), 2 + phase);
  }
}

}  // namespace

uint8_t SelectTarget(int side, int actor, int purpose) {
  const Candidates c = FindCandidates(side, actor);
  if (c.count == 0) return kNone;
  if (c.count == 1) return c.slot[0];
  int at = 0, lastMove = 0, phase = 0;
  DrawCommandPanel(actor, purpose);
  ShowCursors(side, actor, c.slot[at], phase);
  Message m;
  while (!game.runStatus && NextMessage(&m)) {
    if (m.type == MsgTimer) {
      phase ^= 1;
    } else if (m.type == MsgKeyDown) {
      if (m.wParam == kKeyEnter) return c.slot[at];
      if (m.wParam == kKeyEscape) return kNone;
      if (m.wParam == kKeyLeft) lastMove = -1;
      if (m.wParam == kKeyRight) lastMove = 1;
      at = (at + lastMove + c.count) % c.count;
      DrawCommandPanel(side == kPartySide ? c.slot[at] : actor, purpose);
    } else {
      continue;
    }
    ShowCursors(side, actor, c.slot[at], phase);
  }
  return kNone;
}
