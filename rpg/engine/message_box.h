#pragma once
// The timed message box at the bottom (or, for long texts, higher up) of the
// screen: it stays until a key-down, or until `ticks` timer messages arrived
// when ticks is not 0; the screen under it comes back afterwards. False, and
// nothing shown, for a text longer than 201 bytes or when no canvas can be
// made to keep the screen.

#include <cstdint>

// How long a short notice (a refusal, a shortage) stays: 100 ticks.
inline constexpr int kMessageTicks = 100;

bool ShowMessage(const char* text, int ticks);
