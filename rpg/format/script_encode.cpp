#include "rpg/format/script_encode.h"

#include <algorithm>

#include "codec/bytes.h"

namespace rpgfmt {
namespace {

bool HoldsZero(std::span<const std::uint8_t> bytes) {
  return std::find(bytes.begin(), bytes.end(), 0) != bytes.end();
}

EncodeError CheckGoods(std::span<const std::uint8_t> bytes) {
  if (bytes.size() % 2 != 0) return EncodeError::kGoodsNotPairs;
  if (bytes.size() / 2 > kMaxGoods) return EncodeError::kTooManyGoods;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    if (bytes[i] == 0) return EncodeError::kGoodsIdZero;
  }
  return EncodeError::kNone;
}

EncodeError CheckOperand(const OperandDef& def, const Operand& op) {
  switch (def.kind) {
    case OperandKind::kByte:
      return op.value > 0xFF ? EncodeError::kValueTooLarge : EncodeError::kNone;
    case OperandKind::kWord:
    case OperandKind::kAddress:
      return op.value > 0xFFFF ? EncodeError::kValueTooLarge : EncodeError::kNone;
    case OperandKind::kDword:
      return EncodeError::kNone;
    case OperandKind::kRows:
      if (op.bytes.size() % kCrawlRowBytes != 0) return EncodeError::kRowsNotWhole;
      [[fallthrough]];
    case OperandKind::kString:
      return HoldsZero(op.bytes) ? EncodeError::kZeroInText : EncodeError::kNone;
    case OperandKind::kGoods:
      return CheckGoods(op.bytes);
    case OperandKind::kPayload:
      return op.bytes.size() == *FixedOperandSize(def) ? EncodeError::kNone
                                                       : EncodeError::kPayloadSize;
  }
  return EncodeError::kNone;
}

void Append(const OperandDef& def, const Operand& op, std::vector<std::uint8_t>& out) {
  switch (def.kind) {
    case OperandKind::kByte:
      out.push_back(static_cast<std::uint8_t>(op.value));
      out.push_back(op.slotHigh);
      return;
    case OperandKind::kWord:
    case OperandKind::kAddress:
      codec::AppendLe(out, static_cast<std::uint16_t>(op.value));
      return;
    case OperandKind::kDword:
      codec::AppendLe(out, op.value);
      return;
    case OperandKind::kPayload:
      out.insert(out.end(), op.bytes.begin(), op.bytes.end());
      return;
    case OperandKind::kString:
    case OperandKind::kRows:
    case OperandKind::kGoods:
      out.insert(out.end(), op.bytes.begin(), op.bytes.end());
      out.push_back(0);
      return;
  }
}

}  // namespace

const char* EncodeErrorText(EncodeError error) {
  switch (error) {
    case EncodeError::kNone:
      return "no error";
    case EncodeError::kNoCommand:
      return "no command";
    case EncodeError::kValueTooLarge:
      return "value too large for the operand";
    case EncodeError::kZeroInText:
      return "a text cannot hold a zero byte (it ends the text)";
    case EncodeError::kRowsNotWhole:
      return "crawl text that is not whole 20-byte rows";
    case EncodeError::kGoodsNotPairs:
      return "shop goods that are not whole (id, kind) pairs";
    case EncodeError::kTooManyGoods:
      return "shop list of more than 30 goods";
    case EncodeError::kGoodsIdZero:
      return "goods id 0 would end the shop list";
    case EncodeError::kPayloadSize:
      return "payload of the wrong size";
  }
  return "unknown error";
}

EncodeResult EncodeInstruction(const Instruction& inst, std::vector<std::uint8_t>& out) {
  if (inst.command == nullptr) return {EncodeError::kNoCommand, 0};
  const auto defs = inst.command->Operands();
  for (std::size_t i = 0; i < defs.size(); ++i) {
    const EncodeError e = CheckOperand(defs[i], inst.operands[i]);
    if (e != EncodeError::kNone) return {e, i};
  }
  out.push_back(inst.command->code);
  for (std::size_t i = 0; i < defs.size(); ++i) Append(defs[i], inst.operands[i], out);
  return {};
}

}  // namespace rpgfmt
