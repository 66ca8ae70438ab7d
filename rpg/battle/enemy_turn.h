#pragma once
// An enemy's turn: its choice, the party's lucky guards, and the strike or
// magic it carries out.
//
// Draws: the choice's one Random(), then one per occupied party slot the
// action is numbered for (each for 170) that may guard, then the strike's
// or magic's own draws.

void DoEnemyTurn(int enemy);
// The enemy's magic of the shared enemy action: its cost paid, the cast
// animation and effect, then its harm (with drain) or help.
void CastEnemyMagic(int enemy);
// The party drawn as if no member guarded: every action kind shown as 1
// while the poses are refreshed and the scene drawn, then restored.
void DrawPartyUnguarded();
