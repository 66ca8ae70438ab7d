// Second pass of the script assembler: resolve names, check ranges, encode.
#include "tools/datlib/script_asm.h"

#include "codec/bytes.h"
#include "rpg/format/library.h"
#include "rpg/format/script_file.h"
#include "tools/datlib/script_source.h"

namespace datlib {
namespace {

using rpgfmt::OperandDef;
using rpgfmt::OperandKind;

class Encoder {
 public:
  Encoder(const ParsedScript& src, std::size_t bodyStart, Diagnostics& diag)
      : src_(src), bodyStart_(bodyStart), diag_(diag) {}

  // The number a value stands for; a label only where an address is wanted.
  bool Resolve(const ScriptValue& v, bool address, std::uint64_t& out) {
    if (v.name.empty()) {
      out = v.number;
      return true;
    }
    const auto found = src_.symbols.find(v.name);
    if (found == src_.symbols.end()) {
      diag_.Error(v.pos, "undefined name '" + v.name + "'");
      return false;
    }
    if (found->second.isLabel && !address) {
      diag_.Error(v.pos, "'" + v.name + "' is a label; labels stand only for jump addresses");
      return false;
    }
    out = found->second.isLabel ? bodyStart_ + found->second.value : found->second.value;
    return true;
  }

  bool Number(const ScriptValue& v, bool address, std::uint64_t max, std::string_view what,
              std::uint64_t& out) {
    if (!Resolve(v, address, out)) return false;
    if (out > max) {
      diag_.Error(v.pos, std::string(what) + " " + std::to_string(out) + " is outside 0 ... " +
                             std::to_string(max));
      return false;
    }
    return true;
  }

  void Statement(const ScriptStatement& st, std::vector<std::uint8_t>& out) {
    if (st.type == ScriptStatement::Type::kBytes) {
      Bytes(st, out);
      return;
    }
    out.push_back(st.command->code);
    const auto op = static_cast<rpgfmt::Op>(st.command->code);
    if (op == rpgfmt::Op::kShop) {
      Goods(st, out);
    } else if (op == rpgfmt::Op::kSkip12 || op == rpgfmt::Op::kSkip2) {
      Payload(st, out);
    } else {
      for (std::size_t i = 0; i < st.args.size(); ++i)
        Operand(st, st.command->operands[i], st.args[i], out);
    }
  }

 private:
  void Operand(const ScriptStatement& st, const OperandDef& def, const ScriptArg& arg,
               std::vector<std::uint8_t>& out) {
    const std::string what = std::string(st.command->mnemonic) + " " + std::string(def.name);
    if (def.kind == OperandKind::kString || def.kind == OperandKind::kRows) {
      Text(def, arg, what, out);
      return;
    }
    const std::size_t size = *rpgfmt::FixedOperandSize(def);
    const bool address = def.kind == OperandKind::kAddress;
    const std::uint64_t max = size == 4                        ? 0xFFFFFFFFu
                              : def.kind == OperandKind::kByte ? 0xFF
                                                               : 0xFFFF;
    std::uint64_t v = 0;
    if (Number(arg.value, address, max, what, v) && !address) WarnUnexpected(def, v, arg.pos, what);
    codec::AppendLe(out, v, size);
  }

  // Values the game does not expect are kept, with a warning.
  void WarnUnexpected(const OperandDef& def, std::uint64_t v, const SourcePos& pos,
                      const std::string& what) {
    if (def.hi < 0 ||
        (v >= static_cast<std::uint64_t>(def.lo) && v <= static_cast<std::uint64_t>(def.hi))) {
      return;
    }
    diag_.Warning(pos, what + " " + std::to_string(v) + " is outside " + std::to_string(def.lo) +
                           " ... " + std::to_string(def.hi) + ", which the game expects");
  }

  void Text(const OperandDef& def, const ScriptArg& arg, const std::string& what,
            std::vector<std::uint8_t>& out) {
    if (arg.bytes.find('\0') != std::string::npos) {
      diag_.Error(arg.pos, what + ": a text cannot hold a zero byte (it ends the text)");
    } else if (def.kind == OperandKind::kRows && arg.bytes.size() % rpgfmt::kCrawlRowBytes != 0) {
      diag_.Error(arg.pos,
                  what + " is " + std::to_string(arg.bytes.size()) +
                      " bytes; it must be whole rows of 20 bytes (pad the last row with spaces)");
    } else if (def.hi >= 0 && arg.bytes.size() > static_cast<std::size_t>(def.hi)) {
      diag_.Warning(arg.pos, what + " is " + std::to_string(arg.bytes.size()) +
                                 " bytes; the game shows at most " + std::to_string(def.hi));
    }
    out.insert(out.end(), arg.bytes.begin(), arg.bytes.end());
    out.push_back(0);
  }

  // Written kind:id, stored (id, kind); an id of 0 would end the list.
  void Goods(const ScriptStatement& st, std::vector<std::uint8_t>& out) {
    for (const ScriptArg& a : st.args) {
      std::uint64_t kind = 0, id = 0;
      Number(a.value, false, 0xFF, "goods kind", kind);
      if (Number(a.second, false, 0xFF, "goods id", id) && id == 0) {
        diag_.Error(a.second.pos, "goods id 0 would end the shop list; ids are 1 ... 255");
      }
      out.push_back(static_cast<std::uint8_t>(id));
      out.push_back(static_cast<std::uint8_t>(kind));
    }
    out.push_back(0);
  }

  void Payload(const ScriptStatement& st, std::vector<std::uint8_t>& out) {
    const std::size_t size = *rpgfmt::FixedOperandSize(st.command->operands[0]);
    for (std::size_t i = 0; i < size; ++i) {
      std::uint64_t v = 0;
      if (i < st.args.size()) Number(st.args[i].value, false, 0xFF, "payload byte", v);
      out.push_back(static_cast<std::uint8_t>(v));
    }
  }

  void Bytes(const ScriptStatement& st, std::vector<std::uint8_t>& out) {
    for (const ScriptArg& a : st.args) {
      if (a.type == ScriptArg::Type::kString) {
        out.insert(out.end(), a.bytes.begin(), a.bytes.end());
        continue;
      }
      std::uint64_t v = 0;
      Number(a.value, false, 0xFF, "byte", v);
      out.push_back(static_cast<std::uint8_t>(v));
    }
  }

  const ParsedScript& src_;
  std::size_t bodyStart_;
  Diagnostics& diag_;
};

// The event table size: .events, or else the highest event given.
std::size_t EventCount(const ParsedScript& src, Diagnostics& diag) {
  std::size_t highest = 0;
  for (std::size_t n = 1; n < src.events.size(); ++n) {
    if (src.events[n]) highest = n;
  }
  if (!src.eventCount) return highest;
  if (*src.eventCount < highest) {
    diag.Error(src.eventCountPos, ".events " + std::to_string(*src.eventCount) +
                                      " is below the highest event given, " +
                                      std::to_string(highest));
  }
  return std::max(*src.eventCount, highest);
}

// A resource must fit in one library block; name the statement that overflows it.
bool CheckSize(const ParsedScript& src, std::size_t fixed, Diagnostics& diag) {
  const std::size_t limit = rpgfmt::kLibMaxResourceSize;
  if (fixed + src.bodySize + src.tailSize <= limit) return true;
  const std::string message =
      "the script grows past the " + std::to_string(limit) + " bytes a library block can hold";
  for (const auto* part : {&src.body, &src.tail}) {
    const std::size_t base = part == &src.body ? fixed : fixed + src.bodySize;
    for (const ScriptStatement& st : *part) {
      if (base + st.offset + st.size > limit) {
        diag.Error(st.pos, message);
        return false;
      }
    }
  }
  diag.Error(src.eventCountPos, message);
  return false;
}

}  // namespace

std::optional<AssembledScript> AssembleScript(std::string_view text, const std::string& file,
                                              Diagnostics& diag) {
  const std::size_t errorsBefore = diag.ErrorCount();
  ParsedScript src;
  if (!ParseScriptSource(text, file, src, diag)) return std::nullopt;
  const std::size_t eventCount = EventCount(src, diag);
  const std::size_t bodyStart = rpgfmt::ScriptBodyStart(eventCount);
  if (!CheckSize(src, rpgfmt::kScriptHeaderSize + bodyStart, diag)) return std::nullopt;

  Encoder enc(src, bodyStart, diag);
  rpgfmt::ScriptParts parts;
  std::copy(src.header.begin(), src.header.end(), parts.header.begin());
  parts.events.assign(eventCount, 0);
  for (std::size_t n = 1; n <= eventCount; ++n) {
    std::uint64_t address = 0;
    if (src.events[n] && enc.Number(*src.events[n], true, 0xFFFF, "event address", address)) {
      parts.events[n - 1] = static_cast<std::uint16_t>(address);
    }
  }
  AssembledScript result;
  for (const ScriptStatement& st : src.body) {
    result.lines.push_back({static_cast<std::uint16_t>(bodyStart + st.offset), st.pos.line,
                            st.type == ScriptStatement::Type::kInstruction});
    enc.Statement(st, parts.body);
  }
  for (const ScriptStatement& st : src.tail) enc.Statement(st, parts.tail);
  if (diag.ErrorCount() != errorsBefore) return std::nullopt;

  std::string error;
  auto bytes = rpgfmt::WriteScript(parts, error);
  if (!bytes) {
    diag.Error({file, 0, 0}, error);
    return std::nullopt;
  }
  result.bytes = std::move(*bytes);
  return result;
}

}  // namespace datlib
