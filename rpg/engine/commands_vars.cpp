// Commands on the event flags, the script variables and the save switch.

#include "rpg/engine/commands.h"
#include "rpg/party/event_flags.h"

namespace cmd {
namespace {

uint8_t& Var(const Instruction& inst, int i) { return game.scriptVars[Byte(inst, i)]; }

}  // namespace

CommandResult IfFlag(const Instruction& inst) {
  return JumpIf(TestEventFlag(uint16_t(Num(inst, 0))), inst, 1);
}

CommandResult SetFlag(const Instruction& inst) {
  SetEventFlag(uint16_t(Num(inst, 0)));
  return Next(inst);
}

CommandResult ClearFlag(const Instruction& inst) {
  ClearEventFlag(uint16_t(Num(inst, 0)));
  return Next(inst);
}

CommandResult SetVar(const Instruction& inst) {
  Var(inst, 0) = Byte(inst, 1);
  return Next(inst);
}

CommandResult AddVar(const Instruction& inst) {
  Var(inst, 0) = uint8_t(Var(inst, 0) + Byte(inst, 1));
  return Next(inst);
}

CommandResult SubVar(const Instruction& inst) {
  Var(inst, 0) = uint8_t(Var(inst, 0) - Byte(inst, 1));
  return Next(inst);
}

CommandResult CopyVar(const Instruction& inst) {
  Var(inst, 1) = Var(inst, 0);
  return Next(inst);
}

CommandResult IfVarEq(const Instruction& inst) {
  return JumpIf(Var(inst, 0) == Byte(inst, 1), inst, 2);
}

CommandResult IfVar(const Instruction& inst) {
  const uint8_t value = Var(inst, 0);
  const uint8_t than = Byte(inst, 1);
  if (value < than) return Jump(inst, 2);
  if (value > than) return Jump(inst, 3);
  return Next(inst);
}

CommandResult NoSave(const Instruction& inst) {
  game.saveAllowed = 0;
  return Next(inst);
}

CommandResult AllowSave(const Instruction& inst) {
  game.saveAllowed = 1;
  return Next(inst);
}

}  // namespace cmd
