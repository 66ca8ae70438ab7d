#include "rpg/format/script_encode.h"

#include <algorithm>

#include "codec/bytes.h"

namespace rpgfmt {
namespace {

struct Fault {
  EncodeError error = EncodeError::kNone;
  std::size_t at = 0;
};

Fault CheckText(std::span<const std::uint8_t> bytes) {
  const auto zero = std::find(bytes.begin(), bytes.end(), 0);
  if (zero == bytes.end()) return {};
  return {EncodeError::kZeroInText, static_cast<std::size_t>(zero - bytes.begin())};
}

Fault CheckGoods(std::span<const std::uint8_t> bytes) {
  if (bytes.size() % 2 != 0) return {EncodeError::kGoodsNotPairs};
  if (bytes.size() / 2 > kMaxGoods) return {EncodeError::kTooManyGoods};
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    if (bytes[i] == 0) return {EncodeError::kGoodsIdZero, i};
  }
  return {};
}

Fault CheckOperand(const OperandDef& def, const Operand& op) {
  switch (def.kind) {
    case OperandKind::kByte:
    case OperandKind::kWord:
    case OperandKind::kAddress:
    case OperandKind::kDword:
      if (op.value > MaxOperandValue(def.kind)) return {EncodeError::kValueTooLarge};
      return {};
    case OperandKind::kRows:
      if (op.bytes.size() % kCrawlRowBytes != 0) return {EncodeError::kRowsNotWhole};
      return CheckText(op.bytes);
    case OperandKind::kString:
      return CheckText(op.bytes);
    case OperandKind::kGoods:
      return CheckGoods(op.bytes);
    case OperandKind::kPayload:
      if (op.bytes.size() != *FixedOperandSize(def)) return {EncodeError::kPayloadSize};
      return {};
  }
  return {};
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
    const Fault f = CheckOperand(defs[i], inst.operands[i]);
    if (f.error != EncodeError::kNone) return {f.error, i, f.at};
  }
  out.push_back(inst.command->code);
  for (std::size_t i = 0; i < defs.size(); ++i) Append(defs[i], inst.operands[i], out);
  return {};
}

}  // namespace rpgfmt
