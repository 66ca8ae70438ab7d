#include "tools/datlib/script_disasm.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "codec/hex.h"
#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"
#include "tools/datlib/script_text.h"

namespace datlib {
namespace {

using rpgfmt::Instruction;
using rpgfmt::OperandKind;

constexpr std::size_t kBytesPerLine = 8;

// A stretch of the body: one decoded instruction, or bytes kept as data.
struct Piece {
  std::uint16_t pc = 0;
  std::uint16_t size = 0;
  bool raw = false;
  std::string why;  // for raw pieces
  Instruction inst;
};

std::string Hex(std::uint32_t v, int digits) { return codec::HexNumber(v, digits, codec::HexCase::kUpper); }

// The game reads only a byte slot's low byte; a non-zero high byte can be
// kept only as data.
bool HasHighBytes(const Instruction& inst) {
  for (const rpgfmt::Operand& op : inst.Operands()) {
    if (op.kind == OperandKind::kByte && op.slotHigh != 0) return true;
  }
  return false;
}

class Disassembler {
 public:
  explicit Disassembler(const rpgfmt::ScriptView& view) : view_(view) {}

  std::string Run() {
    Sweep();
    CollectTargets();
    KeepSplitInstructionsAsData();
    MergeData();
    NameLabels();
    std::string out = "; script disassembled by datlib\n";
    Header(out);
    Events(out);
    out += '\n';
    for (const Piece& p : pieces_) p.raw ? Data(out, p) : Code(out, p);
    Label(out, static_cast<std::uint16_t>(view_.code.size()));
    Tail(out);
    return out;
  }

 private:
  void Sweep() {
    std::uint16_t pc = view_.BodyStart();
    while (pc < view_.code.size()) {
      Piece p;
      p.pc = pc;
      const rpgfmt::DecodeError e = rpgfmt::DecodeInstruction(view_.code, pc, p.inst);
      if (e != rpgfmt::DecodeError::kNone) {
        p.raw = true;
        p.size = 1;
        p.why = p.inst.command
                    ? std::string(p.inst.command->mnemonic) + ": " + rpgfmt::DecodeErrorText(e)
                    : rpgfmt::DecodeErrorText(e);
      } else {
        p.size = p.inst.size;
        if (HasHighBytes(p.inst)) {
          p.raw = true;
          p.why = std::string(p.inst.command->mnemonic) +
                  " with a byte operand whose high byte is not 0";
        }
      }
      pieces_.push_back(std::move(p));
      pc = static_cast<std::uint16_t>(pc + pieces_.back().size);
    }
  }

  bool Labelable(std::uint32_t address) const {
    return address >= view_.BodyStart() && address <= view_.code.size();
  }

  void CollectTargets() {
    for (std::size_t n = 1; n <= view_.eventCount; ++n) {
      const std::uint16_t a = view_.EventAddress(n);
      if (a != 0 && Labelable(a)) targets_.emplace(a, "event" + std::to_string(n));
    }
    for (const Piece& p : pieces_) {
      if (p.raw) continue;
      for (const rpgfmt::Operand& op : p.inst.Operands()) {
        if (op.kind == OperandKind::kAddress && Labelable(op.value)) {
          targets_.emplace(static_cast<std::uint16_t>(op.value), std::string());
        }
      }
    }
  }

  // An instruction that a jump or handler lands inside cannot carry the
  // label, so it is written as data with the label between its bytes.
  void KeepSplitInstructionsAsData() {
    for (Piece& p : pieces_) {
      if (p.raw) continue;
      const auto inside = targets_.upper_bound(p.pc);
      if (inside != targets_.end() && inside->first < p.pc + p.size) {
        p.raw = true;
        p.why = std::string(p.inst.command->mnemonic) + " that a jump lands inside";
      }
    }
  }

  // Neighbouring data kept for the same reason reads best as one run.
  void MergeData() {
    std::vector<Piece> merged;
    for (Piece& p : pieces_) {
      if (!merged.empty() && p.raw && merged.back().raw && merged.back().why == p.why) {
        merged.back().size = static_cast<std::uint16_t>(merged.back().size + p.size);
      } else {
        merged.push_back(std::move(p));
      }
    }
    pieces_ = std::move(merged);
  }

  void NameLabels() {
    for (auto& [address, name] : targets_) {
      if (name.empty()) name = "L" + Hex(address, 4);
    }
  }

  void Label(std::string& out, std::uint16_t address) const {
    const auto found = targets_.find(address);
    if (found != targets_.end()) out += found->second + ":\n";
  }

  std::string Address(std::uint32_t a) const {
    const auto found = targets_.find(static_cast<std::uint16_t>(a));
    if (Labelable(a) && found != targets_.end()) return found->second;
    return "0x" + Hex(a, 4);
  }

  void Header(std::string& out) const {
    std::size_t used = view_.header.size();
    while (used > 0 && view_.header[used - 1] == 0) --used;
    if (used == 0) return;
    out += ".header";
    for (std::size_t i = 0; i < used; ++i) out += (i ? ", 0x" : " 0x") + Hex(view_.header[i], 2);
    out += '\n';
  }

  void Events(std::string& out) const {
    if (view_.eventCount == 0) return;
    out += ".events " + std::to_string(view_.eventCount) + '\n';
    for (std::size_t n = 1; n <= view_.eventCount; ++n) {
      const std::uint16_t a = view_.EventAddress(n);
      if (a != 0) out += ".event " + std::to_string(n) + ", " + Address(a) + '\n';
    }
  }

  void Code(std::string& out, const Piece& p) {
    Label(out, p.pc);
    out += "    ";
    out += p.inst.command->mnemonic;
    const auto ops = p.inst.Operands();
    std::string args;
    for (const rpgfmt::Operand& op : ops) {
      const std::string text = Operand(op);
      if (text.empty()) continue;
      args += args.empty() ? " " : ", ";
      args += text;
    }
    out += args + '\n';
    for (const rpgfmt::Operand& op : ops) {
      if (op.kind != OperandKind::kRows) continue;
      for (std::size_t at = rpgfmt::kCrawlRowBytes; at < op.bytes.size();
           at += rpgfmt::kCrawlRowBytes) {
        out += "        " + text_.Quote(op.bytes.subspan(at, rpgfmt::kCrawlRowBytes)) + '\n';
      }
    }
  }

  std::string Operand(const rpgfmt::Operand& op) {
    switch (op.kind) {
      case OperandKind::kByte:
      case OperandKind::kWord:
      case OperandKind::kDword:
        return std::to_string(op.value);
      case OperandKind::kAddress:
        return Address(op.value);
      case OperandKind::kString:
        return text_.Quote(op.bytes);
      case OperandKind::kRows:  // one row a line; Code() writes the others
        return text_.Quote(op.bytes.first(std::min(op.bytes.size(), rpgfmt::kCrawlRowBytes)));
      case OperandKind::kGoods: {
        std::string out;
        for (std::size_t i = 0; i < rpgfmt::GoodsCount(op); ++i) {
          const rpgfmt::GoodsEntry g = rpgfmt::GoodsAt(op, i);
          out += (i ? ", " : "") + std::to_string(g.kind) + ":" + std::to_string(g.id);
        }
        return out;
      }
      case OperandKind::kPayload: {
        if (std::all_of(op.bytes.begin(), op.bytes.end(), [](std::uint8_t b) { return b == 0; }))
          return {};
        std::string out;
        for (std::uint8_t b : op.bytes) out += (out.empty() ? "" : ", ") + std::to_string(b);
        return out;
      }
    }
    return {};
  }

  // Data lines of at most 8 bytes, broken wherever a label falls.
  void Data(std::string& out, const Piece& p) const {
    std::size_t inLine = 0;
    for (std::uint16_t a = p.pc; a < p.pc + p.size; ++a) {
      const bool labelled = targets_.count(a) != 0;
      if (inLine > 0 && (labelled || inLine == kBytesPerLine)) {
        out += '\n';
        inLine = 0;
      }
      if (inLine == 0) {
        Label(out, a);
        out += "    .byte ";
      } else {
        out += ", ";
      }
      out += "0x" + Hex(view_.code[a], 2);
      ++inLine;
    }
    out += "  ; " + p.why + '\n';
  }

  void Tail(std::string& out) const {
    if (view_.tail.empty()) return;
    out += "\n.tail  ; bytes after the code end\n";
    for (std::size_t i = 0; i < view_.tail.size(); i += kBytesPerLine) {
      out += "    .byte ";
      for (std::size_t j = i; j < std::min(i + kBytesPerLine, view_.tail.size()); ++j) {
        out += (j > i ? ", 0x" : "0x") + Hex(view_.tail[j], 2);
      }
      out += '\n';
    }
  }

  const rpgfmt::ScriptView& view_;
  std::vector<Piece> pieces_;
  std::map<std::uint16_t, std::string> targets_;
  ScriptTextWriter text_;
};

}  // namespace

std::optional<std::string> DisassembleScript(std::span<const std::uint8_t> resource,
                                             const SourcePos& origin, Diagnostics& diag) {
  const auto view = rpgfmt::ReadScript(resource);
  if (!view) {
    diag.Error(origin, view.error().Text());
    return std::nullopt;
  }
  return Disassembler(*view).Run();
}

}  // namespace datlib
