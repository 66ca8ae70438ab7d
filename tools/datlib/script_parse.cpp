// First pass of the script assembler: lines to sized, placed statements.
#include "tools/datlib/script_parser.h"

namespace datlib {

void ScriptParser::Line(const LineRef& line) {
  line_ = &line;
  if (!TokenizeLine(line, toks_, diag_)) return;
  if (toks_.empty()) return;
  if (toks_.front().kind == TokenKind::kString && toks_.size() == 1) {
    ContinueString(toks_.front());
    return;
  }
  canContinue_ = false;
  if (inInclude_ && (toks_.front().kind != TokenKind::kName || toks_.front().text != ".equ")) {
    Error(toks_.front(), "an included file holds only .equ constants and comments");
    return;
  }
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

bool ScriptParser::DefineLabel(const Token& t) {
  if (t.text.front() == '.') {
    Error(t, "a label cannot start with '.'");
    return false;
  }
  if (inTail_) {
    Error(t, "labels cannot stand after .tail");
    return false;
  }
  return Define(std::string(t.text), {true, out_.bodySize, Pos(t)});
}

bool ScriptParser::Define(const std::string& name, ScriptSymbol symbol) {
  const auto found = out_.symbols.find(name);
  if (found != out_.symbols.end()) {
    Error(symbol.pos,
          "'" + name + "' is already defined at line " + std::to_string(found->second.pos.line));
    return false;
  }
  out_.symbols.emplace(name, std::move(symbol));
  return true;
}

bool ScriptParser::Value(std::size_t& i, ScriptValue& v) {
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
bool ScriptParser::Args(std::size_t i, std::vector<ScriptArg>& args) {
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

bool ScriptParser::ExpectValues(const Token& head, const std::vector<ScriptArg>& args,
                                std::size_t count) {
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

void ScriptParser::Place(ScriptStatement st) {
  std::size_t& at = inTail_ ? out_.tailSize : out_.bodySize;
  st.offset = at;
  at += st.size;
  canContinue_ = !st.args.empty() && st.args.back().type == ScriptArg::Type::kString;
  (inTail_ ? out_.tail : out_.body).push_back(std::move(st));
}

// A line holding only a string goes on with the string that ends the
// statement just above, so long texts can be written one row a line.
void ScriptParser::ContinueString(const Token& t) {
  if (!canContinue_) {
    Error(t, "a line of text must follow a statement that ends with a string");
    return;
  }
  ScriptStatement& st = (inTail_ ? out_.tail : out_.body).back();
  st.args.back().bytes += t.bytes;
  st.size += t.bytes.size();
  (inTail_ ? out_.tailSize : out_.bodySize) += t.bytes.size();
}

bool ParseScriptSource(std::string_view text, const std::string& file, ParsedScript& out,
                       Diagnostics& diag) {
  const std::size_t errorsBefore = diag.ErrorCount();
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  ScriptParser parser(out, diag);
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
