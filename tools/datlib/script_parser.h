#pragma once
// The first pass of the script assembler, shared by its source files: reads
// lines into sized, placed statements (script_parse.cpp), directives
// (script_parse_directives.cpp) and commands (script_parse_commands.cpp).

#include <span>
#include <string>
#include <vector>

#include "tools/datlib/script_lexer.h"
#include "tools/datlib/script_source.h"

namespace datlib {

class ScriptParser {
 public:
  ScriptParser(ParsedScript& out, Diagnostics& diag) : out_(out), diag_(diag) {}

  // One line: labels, then a command or a directive, or a line of text that
  // continues the statement above.
  void Line(const LineRef& line);

 private:
  SourcePos Pos(const Token& t) const { return line_->PosAt(t.at); }
  void Error(const Token& t, std::string message) { diag_.Error(Pos(t), std::move(message)); }
  void Error(const SourcePos& pos, std::string message) { diag_.Error(pos, std::move(message)); }

  // Lines, names and operands.
  bool DefineLabel(const Token& t);
  bool Define(const std::string& name, ScriptSymbol symbol);
  bool Value(std::size_t& i, ScriptValue& v);
  bool Args(std::size_t i, std::vector<ScriptArg>& args);
  bool ExpectValues(const Token& head, const std::vector<ScriptArg>& args, std::size_t count);
  void Place(ScriptStatement st);
  void ContinueString(const Token& t);

  // Directives.
  void Directive(const Token& head, std::vector<ScriptArg>& args);
  void Bytes(const Token& head, std::vector<ScriptArg> args);
  void Constant(const Token& head, const std::vector<ScriptArg>& args);
  void Event(const Token& head, const std::vector<ScriptArg>& args);
  void EventCount(const Token& head, const std::vector<ScriptArg>& args);
  void Header(const Token& head, const std::vector<ScriptArg>& args);
  void Include(const Token& head, const std::vector<ScriptArg>& args);

  // Commands: the operands' shape decides the statement's size.
  void Instruction(const Token& head, std::vector<ScriptArg> args);
  void UnknownCommand(const Token& head);
  bool OperandShape(const Token& head, const rpgfmt::CommandInfo& c,
                    const std::vector<ScriptArg>& args, ScriptStatement& st);
  bool SingleShape(const rpgfmt::CommandInfo& c, const rpgfmt::OperandDef& def,
                   const ScriptArg& arg, ScriptStatement& st);
  bool GoodsShape(std::span<const ScriptArg> args, ScriptStatement& st);
  bool PayloadShape(const Token& head, const rpgfmt::OperandDef& def,
                    std::span<const ScriptArg> args, ScriptStatement& st);

  ParsedScript& out_;
  Diagnostics& diag_;
  const LineRef* line_ = nullptr;
  std::vector<Token> toks_;
  bool inTail_ = false;
  bool inInclude_ = false;  // reading a file of shared constants
  bool canContinue_ = false;  // the statement above ends with a string
};

}  // namespace datlib
