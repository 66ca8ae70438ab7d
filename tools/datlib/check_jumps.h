#pragma once
// Jump checks of a script: every jump operand and event handler address must
// land on the start of an instruction or on the code end (where execution
// stops). A target past the end is an error; one inside an instruction, which
// the game would decode from the middle, a warning.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"
#include "tools/datlib/diag.h"

namespace datlib {

// Calls `visit` with each instruction of the body, decoded in order from its
// start; a byte that does not decode (data, or a broken instruction the
// reference extractor reports) is stepped over.
void ForEachInstruction(const rpgfmt::ScriptView& view,
                        const std::function<void(const rpgfmt::Instruction&)>& visit);

void CheckScriptJumps(std::span<const std::uint8_t> resource, const SourcePos& where,
                      Diagnostics& diag);

}  // namespace datlib
