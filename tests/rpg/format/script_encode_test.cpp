#include "rpg/format/script_encode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rpgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A valid instruction of `c` with a value for every operand kind: the
// storage outlives the instruction's spans.
struct Sample {
  Instruction inst;
  std::vector<Bytes> storage;
};

Sample MakeSample(const CommandInfo& c) {
  Sample s;
  s.inst.command = &c;
  s.storage.reserve(c.operandCount);
  for (std::size_t i = 0; i < c.operandCount; ++i) {
    const OperandDef& def = c.operands[i];
    Operand& op = s.inst.operands[i];
    op.kind = def.kind;
    const auto n = static_cast<std::uint8_t>(i + 1);
    switch (def.kind) {
      case OperandKind::kByte:
        op.value = 200u + n;
        op.slotHigh = n;  // kept, though the game ignores it
        break;
      case OperandKind::kWord:
      case OperandKind::kAddress:
        op.value = 0xF000u + n;
        break;
      case OperandKind::kDword:
        op.value = 0x89ABCDE0u + n;
        break;
      case OperandKind::kString:
        s.storage.push_back({'t', n, 0xB0, 0xA1});
        break;
      case OperandKind::kRows:
        s.storage.push_back(Bytes(2 * kCrawlRowBytes, 'r'));
        break;
      case OperandKind::kGoods:
        s.storage.push_back({3, 9, 255, 1});  // (id 3, kind 9), (id 255, kind 1)
        break;
      case OperandKind::kPayload:
        s.storage.push_back(Bytes(*FixedOperandSize(def), n));
        break;
    }
    if (!FixedOperandSize(def) || def.kind == OperandKind::kPayload) op.bytes = s.storage.back();
  }
  return s;
}

TEST(ScriptEncode, RefusesWhatTheDecoderWouldNotReadBackAndAppendsNothing) {
  const Bytes zeroText = {'a', 0, 'b'};
  const Bytes raggedRows(21, 'x');
  const Bytes oddGoods = {3, 9, 4};
  const Bytes idZero = {3, 9, 0, 1};
  const Bytes tooMany(2 * (kMaxGoods + 1), 1);
  const Bytes shortPayload(11, 0);
  struct Case {
    Op op;
    std::size_t operand;
    std::uint32_t value;
    const Bytes* bytes;
    EncodeError error;
    std::size_t at = 0;
  };
  const Case cases[] = {
      {Op::kSetVar, 1, 256, nullptr, EncodeError::kValueTooLarge},
      {Op::kSetVar, 1, 255, nullptr, EncodeError::kNone},
      {Op::kSetFlag, 0, 0x10000, nullptr, EncodeError::kValueTooLarge},
      {Op::kGoto, 0, 0x10000, nullptr, EncodeError::kValueTooLarge},
      {Op::kSay, 1, 0, &zeroText, EncodeError::kZeroInText, 1},
      {Op::kCrawl, 2, 0, &raggedRows, EncodeError::kRowsNotWhole},
      {Op::kShop, 0, 0, &oddGoods, EncodeError::kGoodsNotPairs},
      {Op::kShop, 0, 0, &idZero, EncodeError::kGoodsIdZero, 2},
      {Op::kShop, 0, 0, &tooMany, EncodeError::kTooManyGoods},
      {Op::kSkip12, 0, 0, &shortPayload, EncodeError::kPayloadSize},
  };
  for (const Case& k : cases) {
    Sample s = MakeSample(*FindCommand(static_cast<std::uint8_t>(k.op)));
    Operand& op = s.inst.operands[k.operand];
    op.value = k.value;
    if (k.bytes != nullptr) op.bytes = *k.bytes;
    Bytes out = {7};
    const EncodeResult r = EncodeInstruction(s.inst, out);
    EXPECT_EQ(r.error, k.error) << s.inst.command->mnemonic;
    if (k.error == EncodeError::kNone) continue;  // the largest value that fits
    EXPECT_EQ(r.operand, k.operand) << s.inst.command->mnemonic;
    EXPECT_EQ(r.at, k.at) << s.inst.command->mnemonic;
    EXPECT_EQ(out, Bytes{7});
    EXPECT_NE(std::string(EncodeErrorText(r.error)), "unknown error");
  }
  Bytes out;
  EXPECT_EQ(EncodeInstruction(Instruction{}, out).error, EncodeError::kNoCommand);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace rpgfmt
