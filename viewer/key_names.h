#pragma once
// Key names as scripts write them: a virtual-key code as a number, or a
// name (Enter, Escape, the arrows, PageUp, PageDown, F2, Space, Backspace, a
// letter or a digit), with the scan code the viewer would send for it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "viewer/input_map.h"

namespace lcd {

// Names ignore case. A number (decimal or 0x hex, 1..254) without a key of
// its own on the viewer's keyboard gets scan code 0.
std::optional<VirtualKey> ParseKey(std::string_view text);

// A number as scripts write it, decimal or 0x hex, from 0 to `high`.
std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t high);

}  // namespace lcd
