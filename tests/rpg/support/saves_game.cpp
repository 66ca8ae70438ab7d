#include "tests/rpg/support/saves_game.h"

#include <filesystem>

#include "rpg/engine/actors.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/script.h"
#include "tests/rpg/support/script_library.h"

namespace rpgtest {

Bytes SavesLibrary() {
  return WithScripts(TestLibrary("saves"),
                     {{1, 1, "End\n"}, {1, 2, "End\n"}, {1, 3, "Leave 2\nSaveGame\nEnd\n"}});
}

void StartPlaying() {
  std::filesystem::create_directory("../Save");
  PlaceActor(0, 1, 1, 4, 3);
  PlaceActor(0, 1, 2, 4, 3);
  ChangeMap(1, 1, 5, 5);
  PlaceActor(3, 2, 1, 7, 7);
  game.scriptBank = game.lastScriptBank = 1;
  game.scriptNo = game.lastScriptNo = 2;
  LoadScript();
}

}  // namespace rpgtest
