#include "rpg/battle/run_battle.h"

#include "host/canvas.h"
#include "rpg/battle/battle_setup.h"
#include "rpg/battle/command_phase.h"
#include "rpg/battle/encounter.h"
#include "rpg/battle/round.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/script.h"
#include "rpg/party/rewards.h"

namespace {

bool running = false;

void DrawWholeScene() { DrawBattleScene(0, 0); }

void RunTurnEvents() {
  if (game.randomBattle) return;
  for (int k = 0; k < kBattleEvents && !game.runStatus; ++k) {
    if (game.roundNo != game.eventRounds[k]) continue;
    DrawBattleScene(0, 0);
    PresentScene();
    RunEvent(game.eventNos[k]);
  }
}

uint8_t Rounds() {
  uint8_t result = kBattleOn;
  while (result == kBattleOn) {
    // A battle without enemies (no id loaded one) is over before it starts.
    if (!AnyEnemyLeft()) return kBattleWon;
    RunTurnEvents();
    CommandPhase();
    result = RunRound();
    if (game.runStatus) return kBattleRunError;
    if (game.roundLimit != 0 && game.roundNo == game.roundLimit) return kBattleFled;
    ++game.roundNo;
  }
  return result;
}

// The map comes back after a battle that was not lost; a battle a script
// starts before any map is loaded leaves the screen cleared.
void RedrawMap() {
  FillRectColor(0, 0, 160, 96, 0, game.sceneCanvas);
  if (game.mapWidth == 0) return PresentScene();
  game.scrollDir = 0;
  game.redrawFlags = kRedrawMap | kRedrawHero | kRedrawNpcs;
  Redraw();
  PresentScene();
}

uint8_t Fight() {
  if (game.randomBattle) RollEncounterEnemies();
  if (game.runStatus) return kBattleRunError;
  InitBattle();
  LoadEnemies();
  if (game.runStatus) return kBattleRunError;
  uint8_t result = Rounds();
  if (result == kBattleWon) BattleRewards(DrawWholeScene);
  if (game.runStatus) return kBattleRunError;
  if (result != kBattleLost) RedrawMap();
  return game.runStatus ? kBattleRunError : result;
}

}  // namespace

bool BattleRunning() { return running; }

uint8_t RunBattle(bool randomBattle) {
  if (game.runStatus) return kBattleRunError;
  game.randomBattle = randomBattle;
  running = true;
  const uint8_t result = Fight();
  FreeEnemySlots();
  running = false;
  game.randomBattle = 0;
  game.manualCommands = 1;
  return result;
}
