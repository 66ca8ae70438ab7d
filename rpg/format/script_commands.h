#pragma once
// The script command set: one table naming every command of the game's byte
// code, its opcode and its operands. The interpreter decodes with it, the data
// compiler assembles and disassembles with it, so the three cannot disagree.
// The table is constexpr so that the interpreter can prove at compile time
// that its dispatch table has a handler for every command:
//
//   static_assert(rpgfmt::AllHaveHandlers(kHandlers));
//
// The operand kinds are described in script_command_types.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "rpg/format/script_command_types.h"

namespace rpgfmt {
namespace table_detail {

using K = OperandKind;
using R = OperandRole;

constexpr OperandDef B(std::string_view name, R role = R::kPlain, int lo = 0, int hi = -1) {
  return {K::kByte, name, role, lo, hi};
}
constexpr OperandDef W(std::string_view name, R role = R::kPlain, int lo = 0, int hi = -1) {
  return {K::kWord, name, role, lo, hi};
}
constexpr OperandDef D(std::string_view name) { return {K::kDword, name}; }
constexpr OperandDef A(std::string_view name) { return {K::kAddress, name, R::kCodeAddress}; }
constexpr OperandDef S(std::string_view name, int maxBytes = -1) {
  return {K::kString, name, R::kPlain, 0, maxBytes};
}
constexpr OperandDef Payload(int bytes) { return {K::kPayload, "payload", R::kPlain, 0, bytes}; }

// Operands with a role the checks know about.
constexpr OperandDef Npc(std::string_view name = "n") { return B(name, R::kNpcSlot, 1, 40); }
constexpr OperandDef Who(std::string_view name) { return B(name, R::kWho, 0, 40); }
constexpr OperandDef Member(std::string_view name = "id") { return B(name, R::kMember); }
constexpr OperandDef Flag(R role) { return W("flag", role, 0, kFlagCount - 1); }
constexpr OperandDef Kind() { return B("kind", R::kItemKind); }
constexpr OperandDef Item() { return B("id", R::kItemId); }

template <typename... Ops>
constexpr CommandInfo Cmd(Op op, std::string_view mnemonic, Ops... ops) {
  static_assert(sizeof...(Ops) <= kMaxOperands);
  return {
      static_cast<std::uint8_t>(op), mnemonic, static_cast<std::uint8_t>(sizeof...(Ops)), {ops...}};
}

}  // namespace table_detail

// Every command, in opcode order.
inline constexpr std::array<CommandInfo, kCommandCount> kCommands = [] {
  using namespace table_detail;
  return std::array<CommandInfo, kCommandCount>{{
      Cmd(Op::kMusic, "Music", B("track"), B("loops")),
      Cmd(Op::kGoMap, "GoMap", B("id1", R::kMapGroup), B("id2", R::kMapNo), B("x"), B("y")),
      Cmd(Op::kAddMember, "AddMember", Member(), B("x"), B("y")),
      Cmd(Op::kDropNpc, "DropNpc", Npc()),
      Cmd(Op::kWalkNpc, "WalkNpc", Npc(), B("x"), B("y")),
      Cmd(Op::kSkip12, "Skip12", Payload(12)),
      Cmd(Op::kEnd, "End"),
      Cmd(Op::kGoto, "Goto", A("addr")),
      Cmd(Op::kIfFlag, "IfFlag", Flag(R::kFlagTest), A("addr")),
      Cmd(Op::kSetVar, "SetVar", B("var", R::kVarWrite), B("value")),
      Cmd(Op::kSay, "Say", B("portrait", R::kPortrait), S("text")),
      Cmd(Op::kSwitchScript, "SwitchScript", B("bank", R::kScriptBank), B("no", R::kScriptNo)),
      Cmd(Op::kSkip2, "Skip2", Payload(2)),
      Cmd(Op::kSetView, "SetView", B("x"), B("y")),
      Cmd(Op::kGameOver, "GameOver"),
      Cmd(Op::kIfVarEq, "IfVarEq", B("var", R::kVarTest), B("value"), A("addr")),
      Cmd(Op::kAddVar, "AddVar", B("var", R::kVarUpdate), B("value")),
      Cmd(Op::kSubVar, "SubVar", B("var", R::kVarUpdate), B("value")),
      Cmd(Op::kLead, "Lead", Member()),
      Cmd(Op::kSetFlag, "SetFlag", Flag(R::kFlagSet)),
      Cmd(Op::kClearFlag, "ClearFlag", Flag(R::kFlagClear)),
      Cmd(Op::kShop, "Shop", OperandDef{K::kGoods, "goods", R::kGoods}),
      Cmd(Op::kFace, "Face", Who("a"), Who("b")),
      Cmd(Op::kAnimate, "Animate", B("id1", R::kAnimGroup), B("id2", R::kAnimNo), B("x"), B("y"),
          B("flags")),
      Cmd(Op::kChoose2, "Choose2", S("first", 20), S("second", 20), A("addr")),
      Cmd(Op::kPlaceSmallNpc, "PlaceSmallNpc", Npc(), B("no", R::kSmallNpcActor), B("x"), B("y")),
      Cmd(Op::kDropNpc2, "DropNpc2", Npc()),
      Cmd(Op::kGiveItem, "GiveItem", Kind(), Item()),
      // The game keeps the three parameters as p0, p1, p2 but scripts store
      // them in the order p0, p2, p1.
      Cmd(Op::kEncounters, "Encounters", W("enemy1", R::kEnemy), W("enemy2", R::kEnemy),
          W("enemy3", R::kEnemy), W("enemy4", R::kEnemy), W("enemy5", R::kEnemy),
          W("enemy6", R::kEnemy), W("enemy7", R::kEnemy), W("enemy8", R::kEnemy),
          B("p0", R::kBackground0), B("p2", R::kBackground2), B("p1", R::kBackground1)),
      Cmd(Op::kEncounterOn, "EncounterOn"),
      Cmd(Op::kEncounterOff, "EncounterOff"),
      Cmd(Op::kPlaceNpc, "PlaceNpc", Npc(), B("no", R::kNpcActor), B("x"), B("y")),
      Cmd(Op::kBattle, "Battle", B("roundLimit"), B("enemy1", R::kEnemy), B("enemy2", R::kEnemy),
          B("enemy3", R::kEnemy), B("p0", R::kBackground0), B("p2", R::kBackground2),
          B("p1", R::kBackground1), B("round1"), B("round2"), B("round3"), B("event1", R::kEvent),
          B("event2", R::kEvent), B("event3", R::kEvent), A("loseAddr"), A("winAddr")),
      Cmd(Op::kLeave, "Leave", Member()),
      Cmd(Op::kAddMoney, "AddMoney", D("amount")),
      Cmd(Op::kSubMoney, "SubMoney", D("amount")),
      Cmd(Op::kSetMoney, "SetMoney", D("amount")),
      Cmd(Op::kLearn, "Learn", Member(), B("class", R::kMagicClass), B("magic", R::kMagicId)),
      Cmd(Op::kSell, "Sell"),
      Cmd(Op::kNpcMode, "NpcMode", Npc(), B("m")),
      Cmd(Op::kAlert, "Alert", S("text")),
      Cmd(Op::kTakeAll, "TakeAll", Kind(), Item(), A("addr")),
      Cmd(Op::kHeal, "Heal", Member(), W("percent", R::kPlain, 1, 100)),
      Cmd(Op::kRaiseLevel, "RaiseLevel", W("id", R::kMember), W("level")),
      Cmd(Op::kShowNpc, "ShowNpc", Npc()),
      Cmd(Op::kClearNpcs, "ClearNpcs"),
      Cmd(Op::kTurn, "Turn", Who("who"), B("facing"), B("step")),
      Cmd(Op::kMapName, "MapName", S("text", 10)),
      Cmd(Op::kShowMapName, "ShowMapName"),
      Cmd(Op::kRefresh, "Refresh"),
      Cmd(Op::kTakeOne, "TakeOne", Kind(), Item(), A("addr")),
      Cmd(Op::kIfStat, "IfStat", Member(), B("attr", R::kPlain, 0, 24), W("value"), A("lessAddr"),
          A("greaterAddr")),
      Cmd(Op::kSetStat, "SetStat", Member(), B("attr", R::kPlain, 0, 16), W("value")),
      Cmd(Op::kAddStat, "AddStat", Member(), B("attr", R::kPlain, 0, 11), W("value")),
      Cmd(Op::kCrawl, "Crawl", B("top", R::kBand), B("bottom", R::kBand),
          OperandDef{K::kRows, "text"}),
      Cmd(Op::kTake, "Take", Kind(), Item(), B("count"), A("addr")),
      Cmd(Op::kChance, "Chance", W("permille", R::kPlain, 0, 1000), A("addr")),
      Cmd(Op::kMenu, "Menu", B("var", R::kVarWrite), S("items")),
      Cmd(Op::kIfPoor, "IfPoor", D("amount"), A("addr")),
      Cmd(Op::kCall, "Call", B("bank", R::kScriptBank), B("no", R::kScriptNo)),
      Cmd(Op::kIfVar, "IfVar", B("var", R::kVarTest), B("value"), A("lessAddr"), A("greaterAddr")),
      Cmd(Op::kReturn, "Return"),
      Cmd(Op::kNotice, "Notice", B("ticks"), S("text")),
      Cmd(Op::kNoSave, "NoSave"),
      Cmd(Op::kAllowSave, "AllowSave"),
      Cmd(Op::kSaveGame, "SaveGame"),
      Cmd(Op::kCountdown, "Countdown", B("event", R::kEvent), W("ticks")),
      Cmd(Op::kCoordsOn, "CoordsOn"),
      Cmd(Op::kCoordsOff, "CoordsOff"),
      Cmd(Op::kCopyVar, "CopyVar", B("src", R::kVarRead), B("dst", R::kVarWrite)),
      Cmd(Op::kIfCount, "IfCount", Kind(), Item(), B("count"), A("equalAddr"), A("greaterAddr")),
      Cmd(Op::kEvasion, "Evasion", B("on")),
      Cmd(Op::kThrowHandHeld, "ThrowHandHeld", B("on")),
  }};
}();

namespace table_detail {

constexpr std::array<std::uint8_t, 256> BuildIndex() {
  std::array<std::uint8_t, 256> index{};
  for (auto& slot : index) slot = 0xFF;
  for (std::size_t i = 0; i < kCommands.size(); ++i)
    index[kCommands[i].code] = static_cast<std::uint8_t>(i);
  return index;
}

constexpr bool OpcodesAscend() {
  for (std::size_t i = 1; i < kCommands.size(); ++i) {
    if (kCommands[i].code <= kCommands[i - 1].code) return false;
  }
  return kCommands.back().code == kLastOpcode;
}
static_assert(OpcodesAscend(), "the command table must list each opcode once, in order");

inline constexpr std::array<std::uint8_t, 256> kIndex = BuildIndex();

}  // namespace table_detail

constexpr std::span<const CommandInfo> AllCommands() { return kCommands; }

// The command of an opcode; nullptr for the invalid ones (4, 5, 8, 17, 18,
// 19, 25 and everything above 79).
constexpr const CommandInfo* FindCommand(std::uint8_t code) {
  const std::uint8_t i = table_detail::kIndex[code];
  return i == 0xFF ? nullptr : &kCommands[i];
}

// The command of a mnemonic (exact spelling); nullptr when there is none.
constexpr const CommandInfo* FindCommand(std::string_view mnemonic) {
  for (const CommandInfo& c : kCommands) {
    if (c.mnemonic == mnemonic) return &c;
  }
  return nullptr;
}

// The first opcode of the table whose entry in `handlers` (indexed by
// opcode) is missing or null; -1 when every command has one.
constexpr int FirstUnhandledOpcode(const auto& handlers) {
  for (const CommandInfo& c : kCommands) {
    if (c.code >= std::size(handlers) || handlers[c.code] == nullptr) return c.code;
  }
  return -1;
}

// True when `handlers` has a handler for every command of the table.
constexpr bool AllHaveHandlers(const auto& handlers) { return FirstUnhandledOpcode(handlers) < 0; }

}  // namespace rpgfmt
