#pragma once
// The battle scene on the 160 x 96 screen: three backgrounds, the party on
// the right, the enemies on the left. Everything is drawn into sceneCanvas
// and presented with PresentScene; mapCanvas keeps the scene an animation
// restores (SaveScene, RestoreScene).

#include <cstdint>
#include <optional>

#include "rpg/engine/picture_data.h"

// Where each party member's picture and each enemy's anchor stand.
struct Point {
  int x;
  int y;
};
inline constexpr Point kMemberAt[3] = {{64, 52}, {96, 48}, {128, 40}};
inline constexpr Point kEnemyAnchor[3] = {{12, 25}, {44, 14}, {82, 11}};

// Picture groups of the battle (type 11).
inline constexpr uint8_t kBattlePictures = 11;
inline constexpr uint8_t kFaces = 1, kInterface = 2, kMemberPictures = 3, kBackgrounds = 4;
// Interface pictures (11, 2, id).
inline constexpr uint8_t kCommandIcon = 1, kMemberPanel = 2, kEnemyCursor = 3, kMemberCursor = 4,
                         kGainSign = 6, kLossSign = 7, kStatusPanel = 11, kStatusIcon = 12,
                         kDefeatPicture = 13, kMissMark = 18;

// The game timer ticks every millisecond while an animation runs, so that
// the delays of the animation tables count fast ticks.
void FastGameTimer();
void SlowGameTimer();

// A member's battle picture, frame `frame`, at (x, y).
void DrawMember(int member, int frame, int x, int y);
// The enemy's picture as its slot located it; nothing for an empty slot or
// a picture whose bytes are not all in the library.
std::optional<PicInfo> EnemyPicture(int slot);
// Where an enemy picture of w x h stands: anchor less w / 6 and h / 8.
Point EnemyCorner(int slot, const PicInfo& pic);
// The enemy in frame `frame` at (x, y): masked at depth 2, opaque else. A
// frame at or past the picture's frame count draws nothing.
void DrawEnemyAt(int slot, int frame, int x, int y);
// The enemy in frame `frame` at its place.
void DrawEnemy(int slot, int frame);
// The backgrounds, the members whose bit is not in hideMembers (in their
// pose), the enemies whose bit is not in hideEnemies. Not presented.
void DrawBattleScene(uint8_t hideMembers, uint8_t hideEnemies);
