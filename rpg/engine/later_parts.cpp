#include "rpg/engine/later_parts.h"

void LaterSystemMenu() {}

uint8_t LaterRandomBattle() { return 0; }

void LaterShowDefeat() {}
