#include "rpg/engine/command_table.h"

#include <array>
#include <cstddef>

#include "rpg/engine/commands.h"
#include "rpg/format/script_commands.h"

namespace {

using rpgfmt::Op;

// A slot of the table. It says whether it holds a handler by a flag of its
// own: the sanitizer build does not take a function's address as non-null
// at compile time, so comparing the pointer itself could not be proven.
struct Slot {
  CommandHandler handler = nullptr;
  bool filled = false;

  constexpr bool operator==(std::nullptr_t) const { return !filled; }
};

constexpr std::array<Slot, 256> MakeTable() {
  std::array<Slot, 256> t{};
  auto set = [&t](Op op, CommandHandler h) { t[static_cast<uint8_t>(op)] = {h, true}; };
  set(Op::kMusic, cmd::Music);
  set(Op::kGoMap, cmd::GoMap);
  set(Op::kAddMember, cmd::AddMember);
  set(Op::kDropNpc, cmd::DropNpc);
  set(Op::kWalkNpc, cmd::WalkNpc);
  set(Op::kSkip12, cmd::Skip);
  set(Op::kEnd, cmd::End);
  set(Op::kGoto, cmd::Goto);
  set(Op::kIfFlag, cmd::IfFlag);
  set(Op::kSetVar, cmd::SetVar);
  set(Op::kSay, cmd::Say);
  set(Op::kSwitchScript, cmd::SwitchScript);
  set(Op::kSkip2, cmd::Skip);
  set(Op::kSetView, cmd::SetView);
  set(Op::kGameOver, cmd::GameOver);
  set(Op::kIfVarEq, cmd::IfVarEq);
  set(Op::kAddVar, cmd::AddVar);
  set(Op::kSubVar, cmd::SubVar);
  set(Op::kLead, cmd::Lead);
  set(Op::kSetFlag, cmd::SetFlag);
  set(Op::kClearFlag, cmd::ClearFlag);
  set(Op::kShop, cmd::Shop);
  set(Op::kFace, cmd::Face);
  set(Op::kAnimate, cmd::Animate);
  set(Op::kChoose2, cmd::Choose2);
  set(Op::kPlaceSmallNpc, cmd::PlaceSmallNpc);
  set(Op::kDropNpc2, cmd::DropNpc);
  set(Op::kGiveItem, cmd::GiveItem);
  set(Op::kEncounters, cmd::Encounters);
  set(Op::kEncounterOn, cmd::EncounterOn);
  set(Op::kEncounterOff, cmd::EncounterOff);
  set(Op::kPlaceNpc, cmd::PlaceNpc);
  set(Op::kBattle, cmd::Battle);
  set(Op::kLeave, cmd::Leave);
  set(Op::kAddMoney, cmd::AddMoney);
  set(Op::kSubMoney, cmd::SubMoney);
  set(Op::kSetMoney, cmd::SetMoney);
  set(Op::kLearn, cmd::Learn);
  set(Op::kSell, cmd::Sell);
  set(Op::kNpcMode, cmd::NpcMode);
  set(Op::kAlert, cmd::Alert);
  set(Op::kTakeAll, cmd::TakeAll);
  set(Op::kHeal, cmd::Heal);
  set(Op::kRaiseLevel, cmd::RaiseLevel);
  set(Op::kShowNpc, cmd::ShowNpc);
  set(Op::kClearNpcs, cmd::ClearNpcs);
  set(Op::kTurn, cmd::Turn);
  set(Op::kMapName, cmd::MapName);
  set(Op::kShowMapName, cmd::ShowMapName);
  set(Op::kRefresh, cmd::Refresh);
  set(Op::kTakeOne, cmd::TakeOne);
  set(Op::kIfStat, cmd::IfStat);
  set(Op::kSetStat, cmd::SetStat);
  set(Op::kAddStat, cmd::AddStat);
  set(Op::kCrawl, cmd::Crawl);
  set(Op::kTake, cmd::Take);
  set(Op::kChance, cmd::Chance);
  set(Op::kMenu, cmd::Menu);
  set(Op::kIfPoor, cmd::IfPoor);
  set(Op::kCall, cmd::Call);
  set(Op::kIfVar, cmd::IfVar);
  set(Op::kReturn, cmd::Return);
  set(Op::kNotice, cmd::Notice);
  set(Op::kNoSave, cmd::NoSave);
  set(Op::kAllowSave, cmd::AllowSave);
  set(Op::kSaveGame, cmd::SaveGame);
  set(Op::kCountdown, cmd::Countdown);
  set(Op::kCoordsOn, cmd::CoordsOn);
  set(Op::kCoordsOff, cmd::CoordsOff);
  set(Op::kCopyVar, cmd::CopyVar);
  set(Op::kIfCount, cmd::IfCount);
  set(Op::kEvasion, cmd::Evasion);
  set(Op::kThrowHandHeld, cmd::ThrowHandHeld);
  return t;
}

constexpr std::array<Slot, 256> kHandlers = MakeTable();
static_assert(rpgfmt::AllHaveHandlers(kHandlers), "every script command needs a handler");

}  // namespace

CommandHandler HandlerFor(uint8_t opcode) { return kHandlers[opcode].handler; }
