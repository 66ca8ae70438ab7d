#include "rpg/engine/hero_move.h"

#include "host/msg.h"
#include "rpg/battle/defeat.h"
#include "rpg/battle/round.h"
#include "rpg/battle/run_battle.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/npc_motion.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/script.h"
#include "rpg/format/map.h"
#include "rpg/party/system_menu.h"

namespace {

constexpr int kMaxCellExamined = 40;
constexpr int kEncounterChance = 4;
constexpr uint8_t kMenuScriptBank = 255;

// One arrow key: the facing it gives, the view's move, the scroll it makes
// and the window cell the hero would enter.
struct Arrow {
  uint32_t key;
  uint8_t facing;
  int dx, dy;
  uint8_t scroll;
};
constexpr Arrow kArrows[] = {
    {kKeyLeft, 4, -1, 0, 1}, {kKeyUp, 1, 0, -1, 3}, {kKeyRight, 2, 1, 0, 2}, {kKeyDown, 3, 0, 1, 4}};

ActorHeader& Leader() { return game.party[game.partyLeader % kPartySlots].header; }

bool ViewCanMove(const Arrow& a) {
  if (a.dx < 0) return game.viewX > 0;
  if (a.dy < 0) return game.viewY > 0;
  if (a.dx > 0) return game.viewX < game.mapWidth - kViewCols;
  return game.viewY < game.mapHeight - kViewRows;
}

int Walk(const Arrow& a, uint32_t* heldKey) {
  ActorHeader& leader = Leader();
  leader.facing = a.facing;
  int event = 0;
  if (ViewCanMove(a)) {
    const int x = game.viewX + 4 + a.dx;
    const int y = game.viewY + 3 + a.dy;
    event = MapEventAt(x, y);
    if (rpgfmt::HeroCanEnter(game.viewCells[3 + a.dy][4 + a.dx][0]) && NpcAt(x, y) == 0) {
      game.viewX = uint8_t(game.viewX + a.dx);
      game.viewY = uint8_t(game.viewY + a.dy);
      game.scrollDir = a.scroll;
      RefreshViewCells();
      game.redrawFlags |= kRedrawMap;
      EncounterCheck();
    }
  }
  leader.step = uint8_t((leader.step + 1) % 4);
  RestoreTilesUnder(leader.viewCol, leader.viewRow);
  if (!game.continuousWalk) *heldKey = 0;
  return event;
}

void OpenMenu() {
  game.menuScript = 0;
  SystemMenu();
  PresentScene();
  if (game.menuScript) CallScript(kMenuScriptBank, game.menuScript);
}

}  // namespace

int HandleKey(uint32_t* heldKey) {
  if (*heldKey == kKeyEnter) {
    *heldKey = 0;
    return Examine();
  }
  if (*heldKey == kKeyEscape) {
    *heldKey = 0;
    OpenMenu();
    return 0;
  }
  for (const Arrow& a : kArrows) {
    if (*heldKey == a.key) return Walk(a, heldKey);
  }
  *heldKey = 0;
  return 0;
}

int Examine() {
  const ActorHeader& leader = Leader();
  int x = leader.viewCol + game.viewX;
  int y = leader.viewRow + game.viewY;
  for (const Arrow& a : kArrows) {
    if (a.facing != leader.facing) continue;
    x += a.dx;
    y += a.dy;
    const std::optional<MapCellBytes> cell = MapCellAt(x, y);
    if (!cell) return 0;
    if (cell->event >= 1 && cell->event <= kMaxCellExamined) {
      return cell->event + rpgfmt::kCellEventBase;
    }
    return NpcAt(x, y);
  }
  return 0;
}

void EncounterCheck() {
  if (!game.encounterOn || Random() % 100 >= kEncounterChance) return;
  if (RunBattle(true) == kBattleLost) {
    ShowDefeat();
    if (!game.runStatus) game.runStatus = kBackToTitle;
  }
}
