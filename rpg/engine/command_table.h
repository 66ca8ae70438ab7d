#pragma once
// The handlers of the script commands, one per command of the format
// library's command table, indexed by opcode.

#include <cstdint>

namespace rpgfmt {
struct Instruction;
}

// kDone: the command ran (scriptPc moved past it or to a jump target, and
// runStatus may be set). kRefused: the command is not available; the
// script stops as at an invalid opcode.
enum class CommandResult : uint8_t { kDone, kRefused };

using CommandHandler = CommandResult (*)(const rpgfmt::Instruction&);

// The handler of an opcode, or null for the opcodes no command has.
CommandHandler HandlerFor(uint8_t opcode);
