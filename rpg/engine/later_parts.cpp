#include "rpg/engine/later_parts.h"

uint8_t LaterRandomBattle() { return 0; }

void LaterShowDefeat() {}
