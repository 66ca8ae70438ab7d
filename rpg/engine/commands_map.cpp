// Commands on the map, the view and the coordinates, and the switches of
// random encounters and of battle.

#include <algorithm>
#include <cstring>

#include "rpg/engine/commands.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprites.h"

namespace cmd {
namespace {

constexpr int kEncounterEnemies = 8;

// The hero and the map characters over the map, shown.
void ShowActors() {
  DrawHero();
  DrawAllNpcs();
  PresentScene();
}

CommandResult SetSwitch(uint8_t* field, uint8_t value, const Instruction& inst) {
  *field = value;
  return Next(inst);
}

}  // namespace

CommandResult GoMap(const Instruction& inst) {
  ChangeMap(Byte(inst, 0), Byte(inst, 1), Byte(inst, 2), Byte(inst, 3));
  ShowActors();
  return Next(inst);
}

CommandResult SetView(const Instruction& inst) {
  game.viewX = Byte(inst, 0);
  game.viewY = Byte(inst, 1);
  RefreshViewCells();
  game.scrollDir = 0;
  DrawMap();
  ShowActors();
  return Next(inst);
}

CommandResult Refresh(const Instruction& inst) {
  game.scrollDir = 0;
  DrawMap();
  ShowActors();
  return Next(inst);
}

CommandResult CoordsOn(const Instruction& inst) { return SetSwitch(&game.showCoords, 1, inst); }
CommandResult CoordsOff(const Instruction& inst) { return SetSwitch(&game.showCoords, 0, inst); }
CommandResult EncounterOn(const Instruction& inst) { return SetSwitch(&game.encounterOn, 1, inst); }
CommandResult EncounterOff(const Instruction& inst) { return SetSwitch(&game.encounterOn, 0, inst); }
CommandResult Evasion(const Instruction& inst) { return SetSwitch(&game.evasionOn, Byte(inst, 0), inst); }
CommandResult ThrowHandHeld(const Instruction& inst) {
  return SetSwitch(&game.throwHandHeld, Byte(inst, 0), inst);
}

CommandResult Encounters(const Instruction& inst) {
  // The non-zero enemies in order, then zeros.
  std::memset(game.encounterEnemies, 0, sizeof game.encounterEnemies);
  int n = 0;
  for (int i = 0; i < kEncounterEnemies; ++i) {
    if (Byte(inst, i) != 0) game.encounterEnemies[n++] = Byte(inst, i);
  }
  // Stored as p0, p2, p1.
  game.encounterParams[0] = Byte(inst, kEncounterEnemies);
  game.encounterParams[2] = Byte(inst, kEncounterEnemies + 1);
  game.encounterParams[1] = Byte(inst, kEncounterEnemies + 2);
  game.encounterOn = 1;
  return Next(inst);
}

}  // namespace cmd
