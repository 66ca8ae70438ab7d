#pragma once
// The battle status view: a member's face, hp, luck, attack and agility, and
// an icon per status with the turns it has left.

// Shows member's view; Left and Right move to the previous or next occupied
// party slot, Esc leaves (the scene is shown again), other keys redraw.
void BattleStatusView(int member);
// The view of one member, drawn into sceneCanvas and presented.
void DrawStatusView(int member);
