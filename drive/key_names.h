#pragma once
// The keys of the viewer's keyboard and their names as scripts write them:
// a virtual-key code as a number, or a name (Enter, Escape, the arrows,
// PageUp, PageDown, F2, Space, Backspace, a letter or a digit), with the
// scan code the viewer sends for it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "drive/input_map.h"

namespace drive {

// The viewer's key with virtual-key code `code` (its scan code, set 1 on a
// US keyboard, and whether it is extended): letters A-Z, digits 0-9, Enter,
// Escape, the arrows, Page Up/Down, F2, Space, Backspace; nullopt for others.
std::optional<VirtualKey> KeyOfCode(int code);

// Names ignore case. A number (decimal or 0x hex, 1..254) without a key of
// its own on the viewer's keyboard gets scan code 0.
std::optional<VirtualKey> ParseKey(std::string_view text);

// The name scripts use for the key with virtual-key code `code` ("enter",
// "a", "7"); nullopt for a code without a key of the viewer's keyboard.
std::optional<std::string> KeyName(int code);

// A number as scripts write it, decimal or 0x hex, from 0 to `high`.
std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t high);

}  // namespace drive
