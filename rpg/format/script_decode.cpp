#include "rpg/format/script_decode.h"

#include <cstring>

#include "codec/bytes.h"

namespace rpgfmt {
namespace {

class Reader {
 public:
  Reader(std::span<const std::uint8_t> code, std::size_t at) : code_(code), at_(at) {}

  std::size_t At() const { return at_; }
  std::size_t Left() const { return code_.size() - at_; }

  DecodeError Fixed(const OperandDef& def, Operand& op) {
    const std::size_t size = *FixedOperandSize(def);
    if (Left() < size) return DecodeError::kTruncated;
    const std::uint8_t* p = code_.data() + at_;
    switch (def.kind) {
      case OperandKind::kByte:
        op.value = p[0];
        op.slotHigh = p[1];
        break;
      case OperandKind::kWord:
      case OperandKind::kAddress:
        op.value = codec::LoadLe<std::uint16_t>(p);
        break;
      case OperandKind::kDword:
        op.value = codec::LoadLe<std::uint32_t>(p);
        break;
      default:
        op.bytes = code_.subspan(at_, size);
        break;
    }
    at_ += size;
    return DecodeError::kNone;
  }

  DecodeError String(Operand& op) {
    const void* nul = std::memchr(code_.data() + at_, 0, Left());
    if (nul == nullptr) return DecodeError::kUnterminatedString;
    const std::size_t len = static_cast<const std::uint8_t*>(nul) - (code_.data() + at_);
    op.bytes = code_.subspan(at_, len);
    at_ += len + 1;
    return DecodeError::kNone;
  }

  // (id, kind) pairs until a 0 where an id would start.
  DecodeError Goods(Operand& op) {
    const std::size_t start = at_;
    for (std::size_t pairs = 0;; ++pairs) {
      if (Left() < 1) return DecodeError::kUnterminatedString;
      if (code_[at_] == 0) break;
      if (pairs == kMaxGoods) return DecodeError::kTooManyGoods;
      if (Left() < 2) return DecodeError::kTruncated;
      at_ += 2;
    }
    op.bytes = code_.subspan(start, at_ - start);
    ++at_;
    return DecodeError::kNone;
  }

 private:
  std::span<const std::uint8_t> code_;
  std::size_t at_;
};

}  // namespace

const char* DecodeErrorText(DecodeError error) {
  switch (error) {
    case DecodeError::kNone:
      return "no error";
    case DecodeError::kPastEnd:
      return "no instruction at the end of the code";
    case DecodeError::kInvalidOpcode:
      return "invalid opcode";
    case DecodeError::kTruncated:
      return "operands run past the end of the code";
    case DecodeError::kUnterminatedString:
      return "text or list without its closing zero byte";
    case DecodeError::kTooManyGoods:
      return "shop list of more than 30 goods";
    case DecodeError::kRowsNotWhole:
      return "crawl text that is not whole 20-byte rows";
  }
  return "unknown error";
}

DecodeError DecodeInstruction(std::span<const std::uint8_t> code, std::uint16_t pc,
                              Instruction& out) {
  out = Instruction{};
  out.pc = pc;
  // Code addresses are u16, so no script's code reaches further.
  if (code.size() > 0xFFFF) code = code.first(0xFFFF);
  if (pc >= code.size()) return DecodeError::kPastEnd;
  out.command = FindCommand(code[pc]);
  if (out.command == nullptr) return DecodeError::kInvalidOpcode;

  Reader in(code, std::size_t{pc} + 1);
  for (std::size_t i = 0; i < out.command->operandCount; ++i) {
    const OperandDef& def = out.command->operands[i];
    Operand& op = out.operands[i];
    op.kind = def.kind;
    DecodeError e = DecodeError::kNone;
    if (def.kind == OperandKind::kString || def.kind == OperandKind::kRows) {
      e = in.String(op);
      if (e == DecodeError::kNone && def.kind == OperandKind::kRows &&
          op.bytes.size() % kCrawlRowBytes != 0) {
        e = DecodeError::kRowsNotWhole;
      }
    } else if (def.kind == OperandKind::kGoods) {
      e = in.Goods(op);
    } else {
      e = in.Fixed(def, op);
    }
    if (e != DecodeError::kNone) return e;
  }
  out.size = static_cast<std::uint16_t>(in.At() - pc);
  return DecodeError::kNone;
}

}  // namespace rpgfmt
