#pragma once
// The framed list chooser the menus are built from: `count` items of
// `itemBytes` bytes each, written end to end in `text`, one per row, with an
// inverted bar on the chosen one and arrows when the list scrolls.

#include <cstdint>
#include <span>

// What a list, menu or picker gives when it is left without a choice.
inline constexpr uint8_t kBackOut = 255;

// Returns the chosen index on Enter, or 255 on Esc (and at once when the list
// is wider than the screen allows, or empty). `scrollTop`, when given, is the
// first row shown last time; it is kept across calls.
uint8_t ChooseFromList(int x, int y, int itemBytes, int count, std::span<const uint8_t> text,
                       int selected, int* scrollTop);
