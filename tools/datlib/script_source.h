#pragma once
// Script source after parsing: statements with their operands as written,
// sized and placed, and the symbols and event table they define. The
// assembler's first pass builds it; the second resolves names and encodes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rpg/format/script_commands.h"
#include "tools/datlib/diag.h"

namespace datlib {

// A number, or a name standing for one (a constant or a label).
struct ScriptValue {
  SourcePos pos;
  std::uint64_t number = 0;
  std::string name;  // empty for a literal number
};

struct ScriptArg {
  enum class Type : std::uint8_t { kValue, kString, kPair };
  Type type = Type::kValue;
  SourcePos pos;
  ScriptValue value;   // kValue; the first half of a kPair
  ScriptValue second;  // kPair
  std::string bytes;   // kString: GB2312
};

struct ScriptStatement {
  enum class Type : std::uint8_t { kInstruction, kBytes };
  Type type = Type::kInstruction;
  const rpgfmt::CommandInfo* command = nullptr;
  std::vector<ScriptArg> args;
  SourcePos pos;
  std::size_t offset = 0;  // from the start of the body (or of the tail)
  std::size_t size = 0;
};

struct ScriptSymbol {
  bool isLabel = false;
  std::uint64_t value = 0;  // a label: offset from the start of the body
  SourcePos pos;
};

struct ParsedScript {
  std::vector<ScriptStatement> body;
  std::vector<ScriptStatement> tail;
  std::size_t bodySize = 0;
  std::size_t tailSize = 0;
  std::map<std::string, ScriptSymbol, std::less<>> symbols;
  std::array<std::optional<ScriptValue>, 256> events;  // index = event number
  std::optional<std::size_t> eventCount;               // from .events
  SourcePos eventCountPos;
  std::string header;
  SourcePos headerPos;
};

// In source a Goods list or a Payload ends its command and takes every operand
// written after the ones before it; any other operand is written as one.
constexpr bool TakesTheRest(rpgfmt::OperandKind kind) {
  return kind == rpgfmt::OperandKind::kGoods || kind == rpgfmt::OperandKind::kPayload;
}

// The source operands that stand for operand `i` of the statement's command.
std::span<const ScriptArg> ArgsOf(const ScriptStatement& st, std::size_t i);

// The first pass: false when an error was reported.
bool ParseScriptSource(std::string_view text, const std::string& file, ParsedScript& out,
                       Diagnostics& diag);

}  // namespace datlib
