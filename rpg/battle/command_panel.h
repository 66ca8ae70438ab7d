#pragma once
// The command panel at the bottom of the battle screen and the cursor
// frames that blink over members and enemies.

#include <cstdint>

#include "rpg/battle/scene.h"

// The command icon showing `selection` (0 attack, 1 magic, 2 battle menu,
// 3 joint attack), the panel with the member's face and its hp and mp;
// presented.
void DrawCommandPanel(int member, int selection);

// Where the 16 x 16 cursor frame stands over a member or an enemy.
Point MemberCursorAt(int member);
Point EnemyCursorAt(int enemy);
// Cursor picture `picture` (kMemberCursor or kEnemyCursor), frame `frame`,
// straight onto the screen.
void DrawCursor(uint8_t picture, Point at, int frame);
