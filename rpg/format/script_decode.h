#pragma once
// Decoding one script instruction with the command table. Every read is
// checked against the end of the code the caller passes (the script's code
// area cut at its code length), so a bad script yields an error, never a read
// past its end. The interpreter's loop decodes and hands the operands to the
// command's handler; the disassembler decodes the same way.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "rpg/format/script_commands.h"

namespace rpgfmt {

struct Operand {
  OperandKind kind = OperandKind::kByte;
  // Byte: the slot's low byte; Word and Address: the u16; Dword: the u32.
  std::uint32_t value = 0;
  // Byte: the slot's high byte, which the game ignores.
  std::uint8_t slotHigh = 0;
  // String and Rows: the text without its terminator; Goods: the (id, kind)
  // pairs without the closing 0; Payload: its bytes. Points into the code.
  std::span<const std::uint8_t> bytes;
};

// One entry of a shop's goods list, which stores each pair as (id, kind).
struct GoodsEntry {
  std::uint8_t kind = 0;
  std::uint8_t id = 0;
};
inline std::size_t GoodsCount(const Operand& goods) { return goods.bytes.size() / 2; }
inline GoodsEntry GoodsAt(const Operand& goods, std::size_t i) {
  return {goods.bytes[2 * i + 1], goods.bytes[2 * i]};
}

struct Instruction {
  const CommandInfo* command = nullptr;
  std::uint16_t pc = 0;    // code offset of the opcode
  std::uint16_t size = 0;  // opcode and operands, in bytes
  std::array<Operand, kMaxOperands> operands{};

  std::span<const Operand> Operands() const {
    return {operands.data(), command ? command->operandCount : std::size_t{0}};
  }
  std::uint16_t Next() const { return static_cast<std::uint16_t>(pc + size); }
};

enum class DecodeError : std::uint8_t {
  kNone,
  kPastEnd,             // pc is at or past the end of the code
  kInvalidOpcode,       // no command has this opcode
  kTruncated,           // a fixed-size operand runs past the end
  kUnterminatedString,  // no zero byte before the end
  kTooManyGoods,        // a shop list of more than 30 pairs
  kRowsNotWhole,        // crawl text that is not whole 20-byte rows
};

const char* DecodeErrorText(DecodeError error);

// Decodes the instruction at `pc` of `code` into `out`. On an error `out`
// still names the command when the opcode was valid.
DecodeError DecodeInstruction(std::span<const std::uint8_t> code, std::uint16_t pc,
                              Instruction& out);

}  // namespace rpgfmt
