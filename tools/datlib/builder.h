#pragma once
// Packs a compiled project into a library image; a limit of the format that
// a resource breaks is reported at the resource's entry in its source.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/resource.h"

namespace datlib {

std::optional<std::vector<std::uint8_t>> BuildLibrary(std::span<const char> title,
                                                      std::span<const Resource> resources,
                                                      Diagnostics& diag);

}  // namespace datlib
