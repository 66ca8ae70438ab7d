#include "viewer/sdl_input.h"

#include <SDL_keyboard.h>

#include "drive/key_names.h"

namespace lcd {

namespace {

// The other keys forwarded, by the name of the viewer's key they stand for.
struct ForwardedKey {
  SDL_Keycode key;
  const char* name;
};

constexpr ForwardedKey kNamedKeys[] = {
    {SDLK_UP, "up"},         {SDLK_DOWN, "down"},         {SDLK_LEFT, "left"},
    {SDLK_RIGHT, "right"},   {SDLK_RETURN, "enter"},      {SDLK_ESCAPE, "escape"},
    {SDLK_PAGEUP, "pageup"}, {SDLK_PAGEDOWN, "pagedown"}, {SDLK_F2, "f2"},
    {SDLK_BACKSPACE, "backspace"}, {SDLK_SPACE, "space"},
};

}  // namespace

std::optional<drive::VirtualKey> MapKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return drive::KeyOfCode('A' + int(key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return drive::KeyOfCode('0' + int(key - SDLK_0));
  if (key == SDLK_KP_ENTER) {
    // Enter, as the extended key the keypad's is.
    std::optional<drive::VirtualKey> enter = drive::ParseKey("enter");
    if (enter) enter->extended = true;
    return enter;
  }
  for (const ForwardedKey& named : kNamedKeys) {
    if (named.key == key) return drive::ParseKey(named.name);
  }
  return std::nullopt;
}

std::optional<Hotkey> HotkeyOf(SDL_Keycode key, unsigned modifiers) {
  const bool alt = (modifiers & KMOD_ALT) != 0;
  switch (key) {
    case SDLK_F9: return Hotkey::kMark;
    case SDLK_F12: return Hotkey::kScreenshot;
    case SDLK_F11: return Hotkey::kFullscreen;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return alt ? std::optional(Hotkey::kFullscreen) : std::nullopt;
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS: return Hotkey::kBigger;
    case SDLK_MINUS:
    case SDLK_KP_MINUS: return Hotkey::kSmaller;
    default: return std::nullopt;
  }
}

}  // namespace lcd
