#include "rpg/battle/command_panel.h"

#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"

namespace {

constexpr uint8_t kPanelFaceFrame = 7;
constexpr int kNumberStyle = 1;

}  // namespace

void DrawCommandPanel(int member, int selection) {
  if (game.runStatus) return;
  const CharStats& s = game.party[member].stats;
  DrawPic(kBattlePictures, kInterface, kCommandIcon, selection, 7, 62);
  DrawPic(kBattlePictures, kInterface, kMemberPanel, 0, 49, 66);
  DrawPic(kBattlePictures, kFaces, game.party[member].header.id, kPanelFaceFrame, 51, 63);
  DrawNumber(79, 72, s.hp, kNumberStyle);
  DrawNumber(104, 72, s.maxHp, kNumberStyle);
  DrawNumber(79, 83, s.mp, kNumberStyle);
  DrawNumber(104, 83, s.maxMp, kNumberStyle);
  PresentScene();
}

Point MemberCursorAt(int member) { return {kMemberAt[member].x + 5, kMemberAt[member].y - 7}; }
Point EnemyCursorAt(int enemy) { return {kEnemyAnchor[enemy].x + 4, kEnemyAnchor[enemy].y - 11}; }

void DrawCursor(uint8_t picture, Point at, int frame) {
  DrawPicToScreen(kBattlePictures, kInterface, picture, frame, uint8_t(at.x), uint8_t(at.y));
}
