#include "rpg/engine/run_error.h"

#include <cstdio>

#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/ui_text.h"

void ReportRunError() {
  const uint8_t status = game.runStatus;
  if (status == 0 || status >= kBackToTitle) {
    game.runStatus = 0;
    return;
  }
  char text[20] = {};
  std::snprintf(text, sizeof text, "RunErr:%u", unsigned(status));
  DrawString(0, 0, text);
  WaitEnterOrEsc();
}
