#pragma once
// Reading the player's keys and the game's ticks. Every wait blocks in
// GetMsg; a GetMsg that fails ends the game as a quit (runStatus 254, unless
// a run error is already set), so no loop ever spins on it.

#include <cstdint>

struct Message;

// The game tick: timer 1 every 500 ms. Timer 2 paces waits and animations.
inline constexpr uint32_t kGameTimer = 1;
inline constexpr uint32_t kGameTickMs = 500;
inline constexpr uint32_t kFastTimer = 2;
inline constexpr uint8_t kNoKey = 255;
// The request to quit the game (from the host, never posted by the game).
inline constexpr uint32_t kQuitMessage = 273;

// The next message; false when GetMsg failed (the game is then quitting).
bool NextMessage(Message* out);

// The key code of the next key-down, or 255 after a timer message. The game
// timer is stopped meanwhile and restarted after, so it begins a new period.
uint8_t PollKey();

// Reads messages until `ticks` + 1 timer messages arrived or, with
// stopOnKey, a key-down. Esc switches siege mode off (manualCommands = 1).
// Returns at once while runStatus is set.
void WaitTicks(int ticks, bool stopOnKey);

// Reads messages until a key-down of Enter or Esc.
void WaitEnterOrEsc();

// The key code of the next key-down, or 255 when the game is quitting.
uint8_t WaitKeyDown();
