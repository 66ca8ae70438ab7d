#pragma once
// The script commands' handlers, one per command, grouped by the file that
// holds them. Each takes its decoded instruction, does the command and sets
// scriptPc: past the instruction, or to a jump target.

#include <cstdint>
#include <string>

#include "rpg/engine/command_table.h"
#include "rpg/engine/game_state.h"
#include "rpg/format/script_decode.h"

namespace cmd {

using rpgfmt::Instruction;

// Operand i as a number: a Byte's low byte, a Word's or an Address's u16, a
// Dword's u32.
inline uint32_t Num(const Instruction& inst, int i) { return inst.operands[i].value; }
inline uint8_t Byte(const Instruction& inst, int i) { return uint8_t(inst.operands[i].value); }
// Operand i as text (a String or Rows, without its zero).
inline std::string Text(const Instruction& inst, int i) {
  const auto bytes = inst.operands[i].bytes;
  return {bytes.begin(), bytes.end()};
}
// Goes on after the instruction.
inline CommandResult Next(const Instruction& inst) {
  game.scriptPc = inst.Next();
  return CommandResult::kDone;
}
// Goes to the address of operand i.
inline CommandResult Jump(const Instruction& inst, int i) {
  game.scriptPc = uint16_t(inst.operands[i].value);
  return CommandResult::kDone;
}
// Goes to operand i's address when `cond` holds, else on.
inline CommandResult JumpIf(bool cond, const Instruction& inst, int i) {
  return cond ? Jump(inst, i) : Next(inst);
}

// Flow: commands_flow.cpp.
CommandResult End(const Instruction&);
CommandResult Goto(const Instruction&);
CommandResult Call(const Instruction&);
CommandResult Return(const Instruction&);
CommandResult SwitchScript(const Instruction&);
CommandResult Skip(const Instruction&);  // Skip12, Skip2
CommandResult GameOver(const Instruction&);
CommandResult Chance(const Instruction&);
CommandResult Countdown(const Instruction&);

// Flags, variables and switches: commands_vars.cpp.
CommandResult IfFlag(const Instruction&);
CommandResult SetFlag(const Instruction&);
CommandResult ClearFlag(const Instruction&);
CommandResult SetVar(const Instruction&);
CommandResult AddVar(const Instruction&);
CommandResult SubVar(const Instruction&);
CommandResult CopyVar(const Instruction&);
CommandResult IfVarEq(const Instruction&);
CommandResult IfVar(const Instruction&);
CommandResult NoSave(const Instruction&);
CommandResult AllowSave(const Instruction&);

// Talk and messages: commands_talk.cpp.
CommandResult Say(const Instruction&);
CommandResult Choose2(const Instruction&);
CommandResult Menu(const Instruction&);
CommandResult Alert(const Instruction&);
CommandResult Notice(const Instruction&);
CommandResult MapName(const Instruction&);
CommandResult ShowMapName(const Instruction&);

// Map characters: commands_npcs.cpp.
CommandResult PlaceNpc(const Instruction&);
CommandResult PlaceSmallNpc(const Instruction&);
CommandResult DropNpc(const Instruction&);  // DropNpc, DropNpc2
CommandResult WalkNpc(const Instruction&);
CommandResult Face(const Instruction&);
CommandResult Turn(const Instruction&);
CommandResult NpcMode(const Instruction&);
CommandResult ShowNpc(const Instruction&);
CommandResult ClearNpcs(const Instruction&);

// The party: commands_party.cpp.
CommandResult AddMember(const Instruction&);
CommandResult Lead(const Instruction&);
CommandResult Heal(const Instruction&);
CommandResult IfStat(const Instruction&);
CommandResult SetStat(const Instruction&);
CommandResult AddStat(const Instruction&);
// Learn: the magic and its panel. RaiseLevel: the level's experience, then
// the level-up with its panels.
CommandResult Learn(const Instruction&);
CommandResult RaiseLevel(const Instruction&);

// Items and money: commands_items.cpp.
CommandResult GiveItem(const Instruction&);
CommandResult Take(const Instruction&);
CommandResult TakeOne(const Instruction&);
CommandResult TakeAll(const Instruction&);
CommandResult IfCount(const Instruction&);
CommandResult AddMoney(const Instruction&);
CommandResult SubMoney(const Instruction&);
CommandResult SetMoney(const Instruction&);
CommandResult IfPoor(const Instruction&);

// The map and encounters: commands_map.cpp.
CommandResult GoMap(const Instruction&);
CommandResult SetView(const Instruction&);
CommandResult Refresh(const Instruction&);
CommandResult CoordsOn(const Instruction&);
CommandResult CoordsOff(const Instruction&);
CommandResult Encounters(const Instruction&);
CommandResult EncounterOn(const Instruction&);
CommandResult EncounterOff(const Instruction&);
CommandResult Evasion(const Instruction&);
CommandResult ThrowHandHeld(const Instruction&);

// Music and shows: commands_show.cpp.
CommandResult Music(const Instruction&);
CommandResult Animate(const Instruction&);
CommandResult Crawl(const Instruction&);

// Saved games: commands_saves.cpp.
CommandResult Leave(const Instruction&);
CommandResult SaveGame(const Instruction&);

// Shops: commands_shop.cpp.
CommandResult Shop(const Instruction&);
CommandResult Sell(const Instruction&);

// The scripted battle: rpg/battle/battle_command.cpp.
CommandResult Battle(const Instruction&);

}  // namespace cmd
