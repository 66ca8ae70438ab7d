// Commands that steer the script itself: ending, jumps, calls, switching,
// chance and the countdown.

#include <cstring>

#include "host/msg.h"
#include "rpg/engine/commands.h"
#include "rpg/engine/game_init.h"
#include "rpg/engine/interpreter.h"
#include "rpg/engine/script.h"

namespace cmd {
namespace {

// Variables from here on belong to the current map's script.
constexpr int kFirstMapVar = 200;
constexpr int kPermille = 1000;

}  // namespace

CommandResult End(const Instruction& inst) {
  Next(inst);
  game.scriptRunning = 0;
  game.lastScriptBank = game.scriptBank;
  game.lastScriptNo = game.scriptNo;
  return CommandResult::kDone;
}

CommandResult Goto(const Instruction& inst) { return Jump(inst, 0); }

CommandResult Call(const Instruction& inst) {
  // The caller goes on after its call when the called script returns.
  Next(inst);
  return CallFromScript(Byte(inst, 0), Byte(inst, 1)) ? CommandResult::kDone
                                                      : CommandResult::kRefused;
}

CommandResult Return(const Instruction&) {
  game.scriptRunning = 2;
  return CommandResult::kDone;
}

CommandResult SwitchScript(const Instruction& inst) {
  game.scriptBank = Byte(inst, 0);
  game.scriptNo = Byte(inst, 1);
  // The loop goes on at the new script's body, where LoadScript put scriptPc.
  LoadScript();
  std::memset(game.scriptVars + kFirstMapVar, 0, kScriptVarCount - kFirstMapVar);
  ReleaseGame(kReleaseNpcs);
  return CommandResult::kDone;
}

CommandResult Skip(const Instruction& inst) { return Next(inst); }

CommandResult GameOver(const Instruction& inst) {
  game.runStatus = kBackToTitle;
  return Next(inst);
}

CommandResult Chance(const Instruction& inst) {
  return JumpIf(Random() % kPermille < int32_t(Num(inst, 0)), inst, 1);
}

CommandResult Countdown(const Instruction& inst) {
  game.timerEvent = Byte(inst, 0);
  game.timerCount = uint16_t(Num(inst, 1));
  return Next(inst);
}

}  // namespace cmd
