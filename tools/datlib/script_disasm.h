#pragma once
// The script disassembler: a script resource back to source that assembles
// to the same bytes. Jump targets and event handlers get generated labels.
// What cannot be written as a command is kept as .byte data, never guessed:
// invalid opcodes, instructions cut off by the code end, byte operands whose
// unused high byte is not zero, and instructions a jump lands inside.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tools/datlib/diag.h"

namespace datlib {

// `origin` names the resource in diagnostics: a resource too short for its
// header, event table or code length is an error and gives nothing.
std::optional<std::string> DisassembleScript(std::span<const std::uint8_t> resource,
                                             const SourcePos& origin, Diagnostics& diag);

}  // namespace datlib
