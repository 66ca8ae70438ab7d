#pragma once
// Key state and the translation of key presses into characters.
//
// The key state is process-wide: it changes when a thread of this process
// takes a WM_KEYDOWN or WM_KEYUP from its queue, and any thread may ask.

#include <cstdint>

#include "platform/win/types.h"

namespace plat {

// Like GetKeyState: negative (high bit set) while the key is down; bit 0
// toggles with every press (the state of Caps Lock and the like).
int16_t GetKeyState(int virtualKey);

// Records a key message taken from a queue.
void NoteKeyMessage(const MSG& message);

// Clears the whole key state (for tests and a fresh start).
void ResetKeyState();

// The character a key-down produces under the current shift and caps-lock
// state, or 0 for keys that produce none: letters, digits (and their
// shifted symbols), space, Tab, Enter 13, Escape 27, Backspace 8, numpad
// digits.
int CharacterForKey(int virtualKey);

// Posts WM_CHAR for a WM_KEYDOWN of a character key, to be taken next.
// Returns true when it posted.
bool TranslateMessage(const MSG* message);

}  // namespace plat
