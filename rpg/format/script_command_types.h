#pragma once
// The types of the script command table (script_commands.h): operand kinds
// and roles, one command's description and the opcodes by name.
//
// An instruction is an opcode byte followed by its operands:
//   Byte     a 2-byte slot; the game reads only the low byte
//   Word     a 2-byte little-endian u16
//   Dword    a 4-byte little-endian u32 (money amounts)
//   Address  a Word holding a code address (an offset from the code area)
//   String   zero-terminated GB2312 text stored in line
//   Rows     a String made of whole 20-byte rows (the text crawl)
//   Goods    (id, kind) byte pairs ended by a single 0 byte, at most 30 pairs
//   Payload  a fixed number of bytes the game skips

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rpgfmt {

enum class OperandKind : std::uint8_t {
  kByte,
  kWord,
  kDword,
  kAddress,
  kString,
  kRows,
  kGoods,
  kPayload
};

// What an operand names. The game itself needs only the kind; the role says
// which resource, character, flag, variable, event or address an operand
// stands for, and operand_refs.h tells what each role refers to.
enum class OperandRole : std::uint8_t {
  kPlain,
  kMapGroup,
  kMapNo,  // map (2, group, no)
  kScriptBank,
  kScriptNo,       // script (1, bank, no)
  kMember,         // party character: actor record (3, 1, id)
  kNpcActor,       // map character: actor record (3, 2, no)
  kSmallNpcActor,  // small map character: actor record (3, 4, no)
  kEnemy,          // enemy: actor record (3, 3, id); 0 = none
  kMagicClass,
  kMagicId,  // magic record (4, class, id)
  kAnimGroup,
  kAnimNo,  // effect animation (5, group, no)
  kItemKind,
  kItemId,       // item record (6, kind, id)
  kPortrait,     // face picture (11, 1, no); 0 = none
  kBackground0,  // battle background picture (11, 4, no): encounterParams[0]
  kBackground1,  // ... encounterParams[1]
  kBackground2,  // ... encounterParams[2]
  kBand,         // text-crawl band picture (11, 5, no), may be missing
  kEvent,        // event handler of the current script; 0 = none
  kNpcSlot,      // map character number 1 ... 40
  kWho,          // 0 = the hero, else a map character number
  kGoods,        // shop goods: item records (6, kind, id)
  kFlagTest,
  kFlagSet,
  kFlagClear,
  kVarTest,
  kVarWrite,
  kVarUpdate,
  kVarRead,
  kCodeAddress,  // a code address of the current script
};
inline constexpr std::size_t kOperandRoleCount =
    static_cast<std::size_t>(OperandRole::kCodeAddress) + 1;

struct OperandDef {
  OperandKind kind;
  std::string_view name;
  OperandRole role = OperandRole::kPlain;
  // Values the game makes sense of; others are accepted with a warning.
  // For a Payload, `hi` is its size in bytes.
  std::int32_t lo = 0;
  std::int32_t hi = -1;  // -1: the whole range of the kind
};

inline constexpr std::size_t kMaxOperands = 15;  // Battle
inline constexpr std::size_t kMaxGoods = 30;
inline constexpr std::size_t kCrawlRowBytes = 20;
inline constexpr std::uint8_t kLastOpcode = 79;
inline constexpr std::size_t kCommandCount = 73;
inline constexpr int kFlagCount = 2400;

struct CommandInfo {
  std::uint8_t code;
  std::string_view mnemonic;
  std::uint8_t operandCount;
  std::array<OperandDef, kMaxOperands> operands;

  constexpr std::span<const OperandDef> Operands() const { return {operands.data(), operandCount}; }
};

// Opcodes with their well-known names; handy for the interpreter's dispatch.
enum class Op : std::uint8_t {
  kMusic = 0,
  kGoMap = 1,
  kAddMember = 2,
  kDropNpc = 3,
  kWalkNpc = 6,
  kSkip12 = 7,
  kEnd = 9,
  kGoto = 10,
  kIfFlag = 11,
  kSetVar = 12,
  kSay = 13,
  kSwitchScript = 14,
  kSkip2 = 15,
  kSetView = 16,
  kGameOver = 20,
  kIfVarEq = 21,
  kAddVar = 22,
  kSubVar = 23,
  kLead = 24,
  kSetFlag = 26,
  kClearFlag = 27,
  kShop = 28,
  kFace = 29,
  kAnimate = 30,
  kChoose2 = 31,
  kPlaceSmallNpc = 32,
  kDropNpc2 = 33,
  kGiveItem = 34,
  kEncounters = 35,
  kEncounterOn = 36,
  kEncounterOff = 37,
  kPlaceNpc = 38,
  kBattle = 39,
  kLeave = 40,
  kAddMoney = 41,
  kSubMoney = 42,
  kSetMoney = 43,
  kLearn = 44,
  kSell = 45,
  kNpcMode = 46,
  kAlert = 47,
  kTakeAll = 48,
  kHeal = 49,
  kRaiseLevel = 50,
  kShowNpc = 51,
  kClearNpcs = 52,
  kTurn = 53,
  kMapName = 54,
  kShowMapName = 55,
  kRefresh = 56,
  kTakeOne = 57,
  kIfStat = 58,
  kSetStat = 59,
  kAddStat = 60,
  kCrawl = 61,
  kTake = 62,
  kChance = 63,
  kMenu = 64,
  kIfPoor = 65,
  kCall = 66,
  kIfVar = 67,
  kReturn = 68,
  kNotice = 69,
  kNoSave = 70,
  kAllowSave = 71,
  kSaveGame = 72,
  kCountdown = 73,
  kCoordsOn = 74,
  kCoordsOff = 75,
  kCopyVar = 76,
  kIfCount = 77,
  kEvasion = 78,
  kThrowHandHeld = 79,
};

// The largest number a Byte, Word, Address or Dword operand holds; 0 for the
// kinds that hold bytes.
constexpr std::uint32_t MaxOperandValue(OperandKind kind) {
  switch (kind) {
    case OperandKind::kByte:
      return 0xFF;
    case OperandKind::kWord:
    case OperandKind::kAddress:
      return 0xFFFF;
    case OperandKind::kDword:
      return 0xFFFFFFFF;
    default:
      return 0;
  }
}

// Encoded size of a fixed-size operand; nothing for String, Rows and Goods.
constexpr std::optional<std::size_t> FixedOperandSize(const OperandDef& def) {
  switch (def.kind) {
    case OperandKind::kByte:
    case OperandKind::kWord:
    case OperandKind::kAddress:
      return 2;
    case OperandKind::kDword:
      return 4;
    case OperandKind::kPayload:
      return static_cast<std::size_t>(def.hi);
    case OperandKind::kString:
    case OperandKind::kRows:
    case OperandKind::kGoods:
      break;
  }
  return std::nullopt;
}

}  // namespace rpgfmt
