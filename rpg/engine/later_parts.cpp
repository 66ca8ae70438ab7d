#include "rpg/engine/later_parts.h"

bool LaterBattleMagic(int) { return false; }

bool LaterBattleItem(int) { return false; }
