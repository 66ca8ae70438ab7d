#pragma once
// The viewer's display input in the host's terms: SDL keys become the
// viewer's virtual keys (drive/key_names.h), window positions become screen
// pixels. The only place SDL key codes meet the keys the host knows.

#include <SDL_keycode.h>

#include <optional>

#include "drive/input_map.h"

namespace lcd {

// The virtual key of an SDL key, for arrows, Enter (also the keypad's, an
// extended key), Escape, Page Up/Down, F2, Backspace, space, letters and
// digits; nullopt for the rest.
std::optional<drive::VirtualKey> MapKey(SDL_Keycode key);

// The viewer's own keys, which never reach the host.
enum class Hotkey { kMark, kScreenshot, kFullscreen, kBigger, kSmaller };

// The hotkey of a key pressed with `modifiers` (SDL_Keymod bits): F9 a mark
// in a recording, F12 the
// screenshot, F11 or Alt+Enter fullscreen, + (also = and the keypad's) and
// - the scale; nullopt for a key the host gets.
std::optional<Hotkey> HotkeyOf(SDL_Keycode key, unsigned modifiers);

}  // namespace lcd
