// The game of the save fault test, run as a process of its own so that it
// can be killed in the middle of a save with its host threads running.
//   save_fault_child MODE STEP BIN
// plays the save tests' game in the run tree whose bin/ folder is BIN and
// does MODE: "prepare" saves slots 0 and 2 and parks character 2; "save0"
// saves a changed game over slot 0, "save1" into the empty slot 1, "park"
// parks character 2 again at another level. With STEP >= 0 the process
// kills itself with SIGKILL before that file operation of the save or park.
// Exit 0 when MODE succeeded, 1 when not, 2 for bad arguments.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/parking.h"
#include "rpg/engine/save_commit.h"
#include "rpg/engine/save_game.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/saves_game.h"

namespace {

int killStep = -1;
void KillAt(int step) {
  if (step == killStep) raise(SIGKILL);
}

// Character 2's level, changed before parking it.
void SetLevelOf2(uint8_t level) { game.party[MemberSlot(2)].stats.level = level; }

bool Prepare() {
  game.money = 1111;
  const bool saved = SaveToSlot(0);
  game.money = 2222;
  const bool other = SaveToSlot(2);
  SetLevelOf2(5);
  ParkMember(2);
  return saved && other && game.runStatus == 0;
}

// The operation a child is killed in, armed just before it.
bool Armed(const std::function<bool()>& operation) {
  SetFileStepHook(KillAt);
  return operation();
}

bool Run(const std::string& mode) {
  if (mode == "prepare") return Prepare();
  game.money = 4242;
  if (mode == "save0") {
    game.saveSlot = 0;  // the merge reads the current slot's member file
    return Armed([] { return SaveToSlot(0); });
  }
  if (mode == "save1") return Armed([] { return SaveToSlot(1); });
  SetLevelOf2(9);
  return Armed([] {
    ParkMember(2);
    return game.runStatus == 0;
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::set<std::string> modes = {"prepare", "save0", "save1", "park"};
  if (argc != 4 || !modes.count(argv[1])) {
    const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
    std::fprintf(help ? stdout : stderr, "usage: %s prepare|save0|save1|park STEP BIN\n", argv[0]);
    return help ? 0 : 2;
  }
  killStep = std::atoi(argv[2]);
  const std::string mode = argv[1], bin = argv[3];
  bool done = false;
  {
    rpgtest::GameRun run([&] {
      if (chdir(bin.c_str()) != 0) return;
      rpgtest::StartPlaying();
      done = Run(mode);
    }, rpgtest::SavesLibrary());
    // The overwrite question, answered with its preselected "是".
    for (int i = 0; i < 3 && !run.Finished(); ++i) run.Key(kKeyEnter);
  }
  return done ? 0 : 1;
}
