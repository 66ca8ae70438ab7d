// First pass of the script assembler: lines to sized, placed statements.
#include <cctype>

#include "rpg/format/script_file.h"
#include "tools/datlib/script_lexer.h"
#include "tools/datlib/script_source.h"

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

class Parser {
 public:
  Parser(const std::string& file, ParsedScript& out, Diagnostics& diag)
      : file_(file), out_(out), diag_(diag) {}

  void Line(const LineRef& line) {
    line_ = &line;
    if (!TokenizeLine(line, toks_, diag_)) return;
    if (toks_.empty()) return;
    if (toks_.front().kind == TokenKind::kString && toks_.size() == 1) {
      ContinueString(toks_.front());
      return;
    }
    canContinue_ = false;
    std::size_t i = 0;
    while (i + 1 < toks_.size() && toks_[i].kind == TokenKind::kName &&
           toks_[i + 1].kind == TokenKind::kColon) {
      if (!DefineLabel(toks_[i])) return;
      i += 2;
    }
    if (i == toks_.size()) return;
    const Token& head = toks_[i];
    if (head.kind != TokenKind::kName) {
      Error(head, "expected a command, a directive or a label");
      return;
    }
    std::vector<ScriptArg> args;
    if (!Args(i + 1, args)) return;
    if (head.text.front() == '.') {
      Directive(head, args);
    } else {
      Instruction(head, std::move(args));
    }
  }

 private:
  SourcePos Pos(const Token& t) const { return line_->PosAt(t.at); }
  void Error(const Token& t, std::string message) { diag_.Error(Pos(t), std::move(message)); }
  void Error(const SourcePos& pos, std::string message) { diag_.Error(pos, std::move(message)); }

  bool DefineLabel(const Token& t) {
    if (t.text.front() == '.') {
      Error(t, "a label cannot start with '.'");
      return false;
    }
    if (inTail_) {
      Error(t, "labels cannot stand after .tail");
      return false;
    }
    return Define(t, {true, out_.bodySize, Pos(t)});
  }

  bool Define(const Token& t, ScriptSymbol symbol) {
    const std::string name(t.text);
    const auto found = out_.symbols.find(name);
    if (found != out_.symbols.end()) {
      Error(t, "'" + name + "' is already defined at line " + std::to_string(found->second.pos.line));
      return false;
    }
    out_.symbols.emplace(name, std::move(symbol));
    return true;
  }

  bool Value(std::size_t& i, ScriptValue& v) {
    const Token& t = toks_[i];
    v.pos = Pos(t);
    if (t.kind == TokenKind::kNumber) {
      v.number = t.number;
    } else if (t.kind == TokenKind::kName && t.text.front() != '.') {
      v.name = std::string(t.text);
    } else {
      Error(t, "expected a number or a name");
      return false;
    }
    ++i;
    return true;
  }

  // Operands: comma-separated values, strings or kind:id pairs.
  bool Args(std::size_t i, std::vector<ScriptArg>& args) {
    while (i < toks_.size()) {
      ScriptArg arg;
      arg.pos = Pos(toks_[i]);
      if (toks_[i].kind == TokenKind::kString) {
        arg.type = ScriptArg::Type::kString;
        arg.bytes = toks_[i++].bytes;
      } else {
        if (!Value(i, arg.value)) return false;
        if (i < toks_.size() && toks_[i].kind == TokenKind::kColon) {
          arg.type = ScriptArg::Type::kPair;
          if (++i == toks_.size()) {
            Error(toks_[i - 1], "a pair needs a value after ':'");
            return false;
          }
          if (!Value(i, arg.second)) return false;
        }
      }
      args.push_back(std::move(arg));
      if (i == toks_.size()) break;
      if (toks_[i].kind != TokenKind::kComma) {
        Error(toks_[i], "expected ',' between operands");
        return false;
      }
      if (++i == toks_.size()) {
        Error(toks_[i - 1], "missing operand after ','");
        return false;
      }
    }
    return true;
  }

  bool ExpectValues(const Token& head, const std::vector<ScriptArg>& args, std::size_t count) {
    if (args.size() != count) {
      Error(head, std::string(head.text) + " takes " + std::to_string(count) + " operand" +
                      (count == 1 ? "" : "s") + ", not " + std::to_string(args.size()));
      return false;
    }
    for (const ScriptArg& a : args) {
      if (a.type != ScriptArg::Type::kValue) {
        Error(a.pos, "expected a number or a name");
        return false;
      }
    }
    return true;
  }

  void Directive(const Token& head, std::vector<ScriptArg>& args) {
    const std::string_view d = head.text;
    if (d == ".byte") {
      Bytes(head, std::move(args));
    } else if (d == ".tail") {
      if (ExpectValues(head, args, 0)) inTail_ = true;
    } else if (d == ".equ") {
      Constant(head, args);
    } else if (d == ".event") {
      Event(head, args);
    } else if (d == ".events") {
      EventCount(head, args);
    } else if (d == ".header") {
      Header(head, args);
    } else {
      Error(head, "unknown directive '" + std::string(d) + "'");
    }
  }

  void Bytes(const Token& head, std::vector<ScriptArg> args) {
    if (args.empty()) {
      Error(head, ".byte needs at least one value");
      return;
    }
    ScriptStatement st;
    st.type = ScriptStatement::Type::kBytes;
    st.pos = Pos(head);
    for (const ScriptArg& a : args) {
      if (a.type == ScriptArg::Type::kPair) {
        Error(a.pos, "expected a number, a name or a string");
        return;
      }
      st.size += a.type == ScriptArg::Type::kString ? a.bytes.size() : 1;
    }
    st.args = std::move(args);
    Place(std::move(st));
  }

  void Constant(const Token& head, const std::vector<ScriptArg>& args) {
    if (!ExpectValues(head, args, 2)) return;
    const ScriptValue& name = args[0].value;
    if (name.name.empty()) {
      Error(name.pos, "expected the constant's name");
      return;
    }
    std::uint64_t value = args[1].value.number;
    if (!args[1].value.name.empty()) {
      const auto found = out_.symbols.find(args[1].value.name);
      if (found == out_.symbols.end() || found->second.isLabel) {
        Error(args[1].value.pos, "'" + args[1].value.name + "' is not a constant defined above");
        return;
      }
      value = found->second.value;
    }
    const auto existing = out_.symbols.find(name.name);
    if (existing != out_.symbols.end()) {
      Error(name.pos, "'" + name.name + "' is already defined at line " +
                          std::to_string(existing->second.pos.line));
      return;
    }
    out_.symbols.emplace(name.name, ScriptSymbol{false, value, name.pos});
  }

  void Event(const Token& head, const std::vector<ScriptArg>& args) {
    if (!ExpectValues(head, args, 2)) return;
    const ScriptValue& n = args[0].value;
    if (!n.name.empty() || n.number < 1 || n.number > rpgfmt::kScriptMaxEvents) {
      Error(n.pos, "event number must be 1 ... 255");
      return;
    }
    auto& slot = out_.events[n.number];
    if (slot) {
      Error(n.pos, "event " + std::to_string(n.number) + " already has a handler at line " +
                       std::to_string(slot->pos.line));
      return;
    }
    slot = args[1].value;
  }

  void EventCount(const Token& head, const std::vector<ScriptArg>& args) {
    if (!ExpectValues(head, args, 1)) return;
    if (out_.eventCount) {
      Error(head, ".events is given twice");
    } else if (!args[0].value.name.empty() || args[0].value.number > rpgfmt::kScriptMaxEvents) {
      Error(args[0].pos, "a script has at most 255 events");
    } else {
      out_.eventCount = args[0].value.number;
      out_.eventCountPos = Pos(head);
    }
  }

  void Header(const Token& head, const std::vector<ScriptArg>& args) {
    if (!out_.header.empty() || out_.headerPos.line > 0) {
      Error(head, ".header is given twice");
      return;
    }
    out_.headerPos = Pos(head);
    for (const ScriptArg& a : args) {
      if (a.type == ScriptArg::Type::kString) {
        out_.header += a.bytes;
      } else if (a.type == ScriptArg::Type::kValue && a.value.name.empty() && a.value.number <= 0xFF) {
        out_.header += static_cast<char>(a.value.number);
      } else {
        Error(a.pos, "header bytes are numbers 0 ... 255 or strings");
        return;
      }
    }
    if (out_.header.size() > rpgfmt::kScriptHeaderSize) {
      Error(head, "the header holds 24 bytes, not " + std::to_string(out_.header.size()));
    }
  }

  void Instruction(const Token& head, std::vector<ScriptArg> args) {
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
    const bool ok = c->code == static_cast<std::uint8_t>(rpgfmt::Op::kShop) ? GoodsShape(head, args, st)
                    : c->operandCount == 1 && c->operands[0].kind == OperandKind::kPayload
                        ? PayloadShape(head, args, st)
                        : OperandShape(head, *c, args, st);
    if (!ok) return;
    st.args = std::move(args);
    Place(std::move(st));
  }

  void UnknownCommand(const Token& head) {
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

  bool OperandShape(const Token& head, const CommandInfo& c, const std::vector<ScriptArg>& args,
                    ScriptStatement& st) {
    if (args.size() != c.operandCount) {
      Error(head, std::string(c.mnemonic) + " takes " + std::to_string(c.operandCount) +
                      " operand" + (c.operandCount == 1 ? "" : "s") +
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

  bool GoodsShape(const Token& head, const std::vector<ScriptArg>& args, ScriptStatement& st) {
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

  bool PayloadShape(const Token& head, const std::vector<ScriptArg>& args, ScriptStatement& st) {
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

  void Place(ScriptStatement st) {
    std::size_t& at = inTail_ ? out_.tailSize : out_.bodySize;
    st.offset = at;
    at += st.size;
    canContinue_ = !st.args.empty() && st.args.back().type == ScriptArg::Type::kString;
    (inTail_ ? out_.tail : out_.body).push_back(std::move(st));
  }

  // A line holding only a string goes on with the string that ends the
  // statement just above, so long texts can be written one row a line.
  void ContinueString(const Token& t) {
    if (!canContinue_) {
      Error(t, "a line of text must follow a statement that ends with a string");
      return;
    }
    ScriptStatement& st = (inTail_ ? out_.tail : out_.body).back();
    st.args.back().bytes += t.bytes;
    st.size += t.bytes.size();
    (inTail_ ? out_.tailSize : out_.bodySize) += t.bytes.size();
  }

  const std::string& file_;
  ParsedScript& out_;
  Diagnostics& diag_;
  const LineRef* line_ = nullptr;
  std::vector<Token> toks_;
  bool inTail_ = false;
  bool canContinue_ = false;
};

}  // namespace

bool ParseScriptSource(std::string_view text, const std::string& file, ParsedScript& out,
                       Diagnostics& diag) {
  const std::size_t errorsBefore = diag.ErrorCount();
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  Parser parser(file, out, diag);
  int number = 0;
  while (!text.empty() || number == 0) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    parser.Line(LineRef{&file, ++number, line});
  }
  return diag.ErrorCount() == errorsBefore;
}

}  // namespace datlib
