#pragma once
// Encoding one script instruction with the command table: the twin of
// DecodeInstruction. Each operand is written as its command's operand kind
// stores it, so decoding the bytes gives the same instruction back. The
// assembler encodes with it; what it refuses the decoder would refuse too.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rpg/format/script_decode.h"

namespace rpgfmt {

enum class EncodeError : std::uint8_t {
  kNone,
  kNoCommand,      // the instruction names no command
  kValueTooLarge,  // a number beyond its kind: Byte 255, Word and Address 65535
  kZeroInText,     // a zero byte would end a String or Rows early
  kRowsNotWhole,   // crawl text that is not whole 20-byte rows
  kGoodsNotPairs,  // goods bytes of odd length
  kTooManyGoods,   // more than 30 goods
  kGoodsIdZero,    // an id of 0 would end the shop list
  kPayloadSize,    // a payload of another size than the command's
};

const char* EncodeErrorText(EncodeError error);

struct EncodeResult {
  EncodeError error = EncodeError::kNone;
  std::size_t operand = 0;  // the operand at fault
  std::size_t at = 0;       // its byte at fault: a text's zero, a goods id of 0

  explicit operator bool() const { return error == EncodeError::kNone; }
};

// Appends the instruction (opcode and operands, read by the command's operand
// kinds) to `out`; on an error nothing is appended.
//   Byte     value up to MaxOperandValue, then slotHigh
//   Word, Address, Dword  value up to MaxOperandValue
//   String, Rows   bytes and a zero;  Goods  bytes ((id, kind) pairs) and a zero
//   Payload  bytes, exactly the command's payload size
EncodeResult EncodeInstruction(const Instruction& inst, std::vector<std::uint8_t>& out);

}  // namespace rpgfmt
