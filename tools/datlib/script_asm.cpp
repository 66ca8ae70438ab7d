// Second pass of the script assembler: resolve names, check ranges, encode.
#include "tools/datlib/script_asm.h"

#include "rpg/format/library.h"
#include "rpg/format/script_encode.h"
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
    const auto defs = st.command->Operands();
    rpgfmt::Instruction inst;
    inst.command = st.command;
    std::vector<std::vector<std::uint8_t>> storage(defs.size());
    bool ok = true;
    for (std::size_t i = 0; i < defs.size(); ++i) {
      inst.operands[i].kind = defs[i].kind;
      ok = Operand(st, i, inst.operands[i], storage[i]) && ok;
    }
    if (!ok) return;
    const rpgfmt::EncodeResult r = rpgfmt::EncodeInstruction(inst, out);
    if (!r) Refused(st, r, inst.operands[r.operand]);
  }

 private:
  static std::string What(const ScriptStatement& st, std::size_t i) {
    return std::string(st.command->mnemonic) + " " + std::string(st.command->operands[i].name);
  }

  // Resolves operand `i` of the statement by its kind; byte runs go to `storage`.
  bool Operand(const ScriptStatement& st, std::size_t i, rpgfmt::Operand& op,
               std::vector<std::uint8_t>& storage) {
    const OperandDef& def = st.command->operands[i];
    const std::span<const ScriptArg> args = ArgsOf(st, i);
    switch (def.kind) {
      case OperandKind::kString:
      case OperandKind::kRows:
        storage.assign(args[0].bytes.begin(), args[0].bytes.end());
        WarnLong(def, args[0], What(st, i));
        break;
      case OperandKind::kGoods:
        if (!Goods(args, storage)) return false;
        break;
      case OperandKind::kPayload:
        if (!Payload(def, args, storage)) return false;
        break;
      default: {
        const bool address = def.kind == OperandKind::kAddress;
        std::uint64_t v = 0;
        if (!Number(args[0].value, address, rpgfmt::MaxOperandValue(def.kind), What(st, i), v))
          return false;
        if (!address) WarnUnexpected(def, v, args[0].pos, What(st, i));
        op.value = static_cast<std::uint32_t>(v);
        return true;
      }
    }
    op.bytes = storage;
    return true;
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

  void WarnLong(const OperandDef& def, const ScriptArg& arg, const std::string& what) {
    if (def.hi < 0 || arg.bytes.size() <= static_cast<std::size_t>(def.hi)) return;
    diag_.Warning(arg.pos, what + " is " + std::to_string(arg.bytes.size()) +
                               " bytes; the game shows at most " + std::to_string(def.hi));
  }

  // Written kind:id, stored (id, kind).
  bool Goods(std::span<const ScriptArg> args, std::vector<std::uint8_t>& out) {
    bool ok = true;
    for (const ScriptArg& a : args) {
      std::uint64_t kind = 0, id = 0;
      ok = Number(a.value, false, 0xFF, "goods kind", kind) && ok;
      ok = Number(a.second, false, 0xFF, "goods id", id) && ok;
      out.push_back(static_cast<std::uint8_t>(id));
      out.push_back(static_cast<std::uint8_t>(kind));
    }
    return ok;
  }

  // No operands stand for a payload of zeros.
  bool Payload(const OperandDef& def, std::span<const ScriptArg> args,
               std::vector<std::uint8_t>& out) {
    out.assign(*rpgfmt::FixedOperandSize(def), 0);
    bool ok = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
      std::uint64_t v = 0;
      ok = Number(args[i].value, false, 0xFF, "payload byte", v) && ok;
      out[i] = static_cast<std::uint8_t>(v);
    }
    return ok;
  }

  // What the encoder refused, said in the source's terms at the operand.
  void Refused(const ScriptStatement& st, const rpgfmt::EncodeResult& r,
               const rpgfmt::Operand& op) {
    const std::span<const ScriptArg> args = ArgsOf(st, r.operand);
    const SourcePos& pos = args.empty() ? st.pos : args[0].pos;
    switch (r.error) {
      case rpgfmt::EncodeError::kRowsNotWhole:
        diag_.Error(pos, What(st, r.operand) + " is " + std::to_string(op.bytes.size()) +
                             " bytes; it must be whole rows of 20 bytes (pad the last row with "
                             "spaces)");
        return;
      case rpgfmt::EncodeError::kTooManyGoods:
        diag_.Error(st.pos, "a shop sells at most " + std::to_string(rpgfmt::kMaxGoods) +
                                " goods, not " + std::to_string(args.size()));
        return;
      case rpgfmt::EncodeError::kGoodsIdZero:
        diag_.Error(args[r.at / 2].second.pos,
                    "goods id 0 would end the shop list; ids are 1 ... 255");
        return;
      default:
        diag_.Error(pos, What(st, r.operand) + ": " + rpgfmt::EncodeErrorText(r.error));
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
