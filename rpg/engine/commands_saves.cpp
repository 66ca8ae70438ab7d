// Commands on saved games: a member leaving for a parked file, the save
// screen.

#include "rpg/engine/commands.h"
#include "rpg/engine/parking.h"
#include "rpg/engine/save_game.h"

namespace cmd {

CommandResult Leave(const Instruction& inst) {
  ParkMember(Byte(inst, 0));
  return Next(inst);
}

// Only the system menu looks at saveAllowed; a script that offers a save
// saves.
CommandResult SaveGame(const Instruction& inst) {
  SaveMenu();
  return Next(inst);
}

}  // namespace cmd
