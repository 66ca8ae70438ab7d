// Directives of script source: data, constants, shared constants, the event
// table, the header.
#include "rpg/format/script_file.h"
#include "tools/datlib/picture_src_text.h"
#include "tools/datlib/script_parser.h"

namespace datlib {

void ScriptParser::Directive(const Token& head, std::vector<ScriptArg>& args) {
  const std::string_view d = head.text;
  if (d == ".byte") {
    Bytes(head, std::move(args));
  } else if (d == ".tail") {
    if (ExpectValues(head, args, 0)) inTail_ = true;
  } else if (d == ".equ") {
    Constant(head, args);
  } else if (d == ".include") {
    Include(head, args);
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

void ScriptParser::Bytes(const Token& head, std::vector<ScriptArg> args) {
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

void ScriptParser::Constant(const Token& head, const std::vector<ScriptArg>& args) {
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
  Define(name.name, {false, value, name.pos});
}

// Constants shared by several scripts: the named file, relative to this one,
// is read here as if its .equ lines stood in place of the directive.
void ScriptParser::Include(const Token& head, const std::vector<ScriptArg>& args) {
  if (args.size() != 1 || args[0].type != ScriptArg::Type::kString) {
    Error(head, ".include takes one file name in quotes");
    return;
  }
  const SourcePos at = args[0].pos;
  const std::string path = SiblingPath(*line_->file, args[0].bytes);
  std::string text;
  Diagnostics readDiag;
  if (!ReadTextFile(path, readDiag, text)) {
    Error(at, "cannot include '" + path + "': " + readDiag.Items().front().message);
    return;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  const LineRef* outer = line_;
  inInclude_ = true;
  for (const TextLine& line : SplitLines(text)) Line(LineRef{&path, line.number, line.text});
  inInclude_ = false;
  line_ = outer;
}

void ScriptParser::Event(const Token& head, const std::vector<ScriptArg>& args) {
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

void ScriptParser::EventCount(const Token& head, const std::vector<ScriptArg>& args) {
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

void ScriptParser::Header(const Token& head, const std::vector<ScriptArg>& args) {
  if (!out_.header.empty() || out_.headerPos.line > 0) {
    Error(head, ".header is given twice");
    return;
  }
  out_.headerPos = Pos(head);
  for (const ScriptArg& a : args) {
    if (a.type == ScriptArg::Type::kString) {
      out_.header += a.bytes;
    } else if (a.type == ScriptArg::Type::kValue && a.value.name.empty() &&
               a.value.number <= 0xFF) {
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

}  // namespace datlib
