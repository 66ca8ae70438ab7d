#pragma once
// `datlib check`: reference checks on any library. Every resource a record,
// map or script names must exist (errors; a missing resource the game
// tolerates is a warning); resources nothing names are reported as unused
// (warnings). The report lists where each event flag and script variable is
// set and tested.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tools/datlib/diag.h"

namespace datlib {

std::optional<std::string> CheckLibrary(std::span<const std::uint8_t> image,
                                        const std::string& name, Diagnostics& diag);

}  // namespace datlib
