#include "rpg/engine/game_loop.h"

#include <array>
#include <cstring>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/hero_move.h"
#include "rpg/engine/input.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/npc_motion.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/script.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr char kBuildWord[] = "Qzk";
constexpr int kBuildWaitTicks = 20;

// The version text, stored with every byte complemented.
constexpr char kVersionText[] = "Velmor engine 1.0 (tovsim)";
constexpr auto Complemented(const char (&text)[sizeof kVersionText]) {
  std::array<uint8_t, sizeof kVersionText> stored{};
  for (std::size_t i = 0; i < stored.size(); ++i) stored[i] = uint8_t(~uint8_t(text[i]));
  return stored;
}
constexpr auto kStoredVersion = Complemented(kVersionText);
static_assert(kStoredVersion.size() <= kTextBufSize);

// The characters typed since the last comparison with the build word.
struct Typed {
  char chars[3];
  int count = 0;

  void Add(char ch) {
    chars[count++] = ch;
    if (count < 3) return;
    count = 0;
    if (std::memcmp(chars, kBuildWord, 3) == 0) ShowBuildInfo();
  }
};

}  // namespace

void ShowBuildInfo() {
  ClearScreen();
  for (std::size_t i = 0; i < kStoredVersion.size(); ++i) {
    game.textBuf[i] = char(~kStoredVersion[i]);
  }
  DrawString(0, 0, game.textBuf);
  DrawRect(0, 0, 158, 95, 0x000000, 0, nullptr);
  WaitTicks(kBuildWaitTicks, false);
}

void GameLoop() {
  uint32_t heldKey = 0;
  int pendingEvent = 0;
  Typed typed;
  Message m;
  while (!game.runStatus && NextMessage(&m)) {
    if (m.type == kQuitMessage) {
      game.runStatus = kQuit;
      continue;
    }
    if (m.type == MsgChar) {
      if (m.wParam == ' ') game.continuousWalk = !game.continuousWalk;
      heldKey = 0;
      typed.Add(char(m.wParam));
    } else if (m.type == MsgKeyDown || m.type == MsgTimer) {
      if (m.type == MsgKeyDown) heldKey = heldKey == m.wParam ? 0 : m.wParam;
      pendingEvent = HandleKey(&heldKey);
      game.redrawFlags |= kRedrawHero | kRedrawNpcs;
      NpcTick();
      if (game.timerCount != 0 && --game.timerCount == 0) RunEvent(game.timerEvent);
    } else {
      continue;
    }
    Redraw();
    PresentScene();
    if (pendingEvent != 0) {
      RunEvent(pendingEvent);
      heldKey = 0;
      pendingEvent = 0;
    }
  }
}
