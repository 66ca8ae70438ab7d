#pragma once
// `datlib ls`: the library's header, then one line per key with its
// location, its size, and its block's tag.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tools/datlib/diag.h"

namespace datlib {

std::optional<std::string> ListLibrary(std::span<const std::uint8_t> image,
                                       const std::string& name, Diagnostics& diag);

}  // namespace datlib
