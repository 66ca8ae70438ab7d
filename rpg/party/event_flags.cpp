#include "rpg/party/event_flags.h"

#include "rpg/engine/game_state.h"

void SetEventFlag(uint16_t flag) {
  if (flag < kEventFlagCount) game.eventFlags[flag / 8] |= uint8_t(1u << (flag % 8));
}

void ClearEventFlag(uint16_t flag) {
  if (flag < kEventFlagCount) game.eventFlags[flag / 8] &= uint8_t(~(1u << (flag % 8)));
}

bool TestEventFlag(uint16_t flag) {
  return flag < kEventFlagCount && (game.eventFlags[flag / 8] >> (flag % 8) & 1);
}
