// Commands of script source: checks each operand's shape by its kind and
// sizes the instruction; values are checked when the second pass encodes them.
#include <cctype>

#include "tools/datlib/script_parser.h"

namespace datlib {
namespace {

using rpgfmt::CommandInfo;
using rpgfmt::OperandKind;

std::string ToLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string OperandList(const CommandInfo& c) {
  std::string out;
  for (const rpgfmt::OperandDef& op : c.Operands()) {
    if (!out.empty()) out += ", ";
    out += op.name;
  }
  return out;
}

}  // namespace

// The source syntax relies on a list that takes the rest coming last.
constexpr bool RestOperandsComeLast() {
  for (const CommandInfo& c : rpgfmt::kCommands) {
    for (std::size_t i = 0; i + 1 < c.operandCount; ++i) {
      if (TakesTheRest(c.operands[i].kind)) return false;
    }
  }
  return true;
}
static_assert(RestOperandsComeLast());

std::span<const ScriptArg> ArgsOf(const ScriptStatement& st, std::size_t i) {
  const std::span<const ScriptArg> args = st.args;
  if (TakesTheRest(st.command->operands[i].kind)) return args.subspan(i);
  return args.subspan(i, 1);
}

void ScriptParser::Instruction(const Token& head, std::vector<ScriptArg> args) {
  const CommandInfo* c = rpgfmt::FindCommand(head.text);
  if (c == nullptr) {
    UnknownCommand(head);
    return;
  }
  if (inTail_) {
    Error(head, "commands cannot follow .tail; only .byte data can");
    return;
  }
  ScriptStatement st;
  st.command = c;
  st.pos = Pos(head);
  st.size = 1;
  if (!OperandShape(head, *c, args, st)) return;
  st.args = std::move(args);
  Place(std::move(st));
}

void ScriptParser::UnknownCommand(const Token& head) {
  const std::string lower = ToLower(head.text);
  for (const CommandInfo& c : rpgfmt::AllCommands()) {
    if (ToLower(c.mnemonic) == lower) {
      Error(head, "unknown command '" + std::string(head.text) + "'; did you mean '" +
                      std::string(c.mnemonic) + "'?");
      return;
    }
  }
  Error(head, "unknown command '" + std::string(head.text) + "'");
}

// Checks that each operand is written in the shape its kind wants and sizes
// the instruction; the values are checked when the second pass encodes them.
bool ScriptParser::OperandShape(const Token& head, const CommandInfo& c,
                                const std::vector<ScriptArg>& args, ScriptStatement& st) {
  const auto defs = c.Operands();
  const bool rest = !defs.empty() && TakesTheRest(defs.back().kind);
  const std::size_t single = rest ? defs.size() - 1 : defs.size();
  if (rest ? args.size() < single : args.size() != single) {
    Error(head, std::string(c.mnemonic) + " takes " + std::to_string(c.operandCount) + " operand" +
                    (c.operandCount == 1 ? "" : "s") +
                    (c.operandCount ? " (" + OperandList(c) + ")" : std::string()) + ", not " +
                    std::to_string(args.size()));
    return false;
  }
  for (std::size_t i = 0; i < single; ++i) {
    if (!SingleShape(c, defs[i], args[i], st)) return false;
  }
  if (!rest) return true;
  const std::span<const ScriptArg> tail = std::span(args).subspan(single);
  return defs.back().kind == OperandKind::kGoods ? GoodsShape(tail, st)
                                                 : PayloadShape(head, defs.back(), tail, st);
}

bool ScriptParser::SingleShape(const CommandInfo& c, const rpgfmt::OperandDef& def,
                               const ScriptArg& arg, ScriptStatement& st) {
  const bool text = def.kind == OperandKind::kString || def.kind == OperandKind::kRows;
  const bool isString = arg.type == ScriptArg::Type::kString;
  if (text != isString || arg.type == ScriptArg::Type::kPair) {
    Error(arg.pos, "operand '" + std::string(def.name) + "' of " + std::string(c.mnemonic) +
                       (text ? " is a string" : " is a number"));
    return false;
  }
  st.size += text ? arg.bytes.size() + 1 : *rpgfmt::FixedOperandSize(def);
  return true;
}

bool ScriptParser::GoodsShape(std::span<const ScriptArg> args, ScriptStatement& st) {
  for (const ScriptArg& a : args) {
    if (a.type != ScriptArg::Type::kPair) {
      Error(a.pos, "shop goods are written kind:id");
      return false;
    }
  }
  st.size += 2 * args.size() + 1;
  return true;
}

bool ScriptParser::PayloadShape(const Token& head, const rpgfmt::OperandDef& def,
                                std::span<const ScriptArg> args, ScriptStatement& st) {
  const std::size_t size = *rpgfmt::FixedOperandSize(def);
  if (!args.empty() && args.size() != size) {
    Error(head, std::string(head.text) + " takes no operands or all " + std::to_string(size) +
                    " payload bytes, not " + std::to_string(args.size()));
    return false;
  }
  for (const ScriptArg& a : args) {
    if (a.type != ScriptArg::Type::kValue) {
      Error(a.pos, "payload bytes are numbers");
      return false;
    }
  }
  st.size += size;
  return true;
}

}  // namespace datlib
