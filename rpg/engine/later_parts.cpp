#include "rpg/engine/later_parts.h"

void LaterSystemMenu() {}

bool LaterBattleMagic(int) { return false; }

bool LaterBattleItem(int) { return false; }
