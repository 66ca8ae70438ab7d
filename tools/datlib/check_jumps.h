#pragma once
// Jump checks of a script: every jump operand and event handler address must
// land on the start of an instruction or on the code end (where execution
// stops). A target past the end is an error; one inside an instruction, which
// the game would decode from the middle, a warning.

#include <cstdint>
#include <span>
#include <string>

#include "tools/datlib/diag.h"

namespace datlib {

void CheckScriptJumps(std::span<const std::uint8_t> resource, const SourcePos& where,
                      Diagnostics& diag);

}  // namespace datlib
