// Commands of script source: checks each operand's shape and sizes the
// instruction; values are checked when the second pass encodes them.
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
  const bool ok = c->code == static_cast<std::uint8_t>(rpgfmt::Op::kShop)
                      ? GoodsShape(head, args, st)
                  : c->operandCount == 1 && c->operands[0].kind == OperandKind::kPayload
                      ? PayloadShape(head, args, st)
                      : OperandShape(head, *c, args, st);
  if (!ok) return;
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

bool ScriptParser::OperandShape(const Token& head, const CommandInfo& c,
                                const std::vector<ScriptArg>& args, ScriptStatement& st) {
  if (args.size() != c.operandCount) {
    Error(head, std::string(c.mnemonic) + " takes " + std::to_string(c.operandCount) + " operand" +
                    (c.operandCount == 1 ? "" : "s") +
                    (c.operandCount ? " (" + OperandList(c) + ")" : std::string()) + ", not " +
                    std::to_string(args.size()));
    return false;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const rpgfmt::OperandDef& def = c.operands[i];
    const bool text = def.kind == OperandKind::kString || def.kind == OperandKind::kRows;
    const bool isString = args[i].type == ScriptArg::Type::kString;
    if (text != isString || args[i].type == ScriptArg::Type::kPair) {
      Error(args[i].pos, "operand '" + std::string(def.name) + "' of " + std::string(c.mnemonic) +
                             (text ? " is a string" : " is a number"));
      return false;
    }
    st.size += text ? args[i].bytes.size() + 1 : *rpgfmt::FixedOperandSize(def);
  }
  return true;
}

bool ScriptParser::GoodsShape(const Token& head, const std::vector<ScriptArg>& args,
                              ScriptStatement& st) {
  if (args.size() > rpgfmt::kMaxGoods) {
    Error(head, "a shop sells at most 30 goods, not " + std::to_string(args.size()));
    return false;
  }
  for (const ScriptArg& a : args) {
    if (a.type != ScriptArg::Type::kPair) {
      Error(a.pos, "shop goods are written kind:id");
      return false;
    }
  }
  st.size += 2 * args.size() + 1;
  return true;
}

bool ScriptParser::PayloadShape(const Token& head, const std::vector<ScriptArg>& args,
                                ScriptStatement& st) {
  const std::size_t size = *rpgfmt::FixedOperandSize(st.command->operands[0]);
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
