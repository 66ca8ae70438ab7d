#include "viewer/sdl_input.h"

#include <algorithm>

#include "drive/key_names.h"

namespace lcd {

namespace {

struct ForwardedKey {
  SDL_Keycode key;
  int code;  // the virtual-key code it stands for
};

constexpr ForwardedKey kNamedKeys[] = {
    {SDLK_UP, 0x26},     {SDLK_DOWN, 0x28},     {SDLK_LEFT, 0x25},      {SDLK_RIGHT, 0x27},
    {SDLK_RETURN, 0x0D}, {SDLK_ESCAPE, 0x1B},   {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22},
    {SDLK_F2, 0x71},     {SDLK_BACKSPACE, 0x08}, {SDLK_SPACE, 0x20},
};

}  // namespace

std::optional<drive::VirtualKey> MapKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return drive::KeyOfCode('A' + int(key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return drive::KeyOfCode('0' + int(key - SDLK_0));
  if (key == SDLK_KP_ENTER) {
    // Enter, as the extended key the keypad's is.
    std::optional<drive::VirtualKey> enter = drive::KeyOfCode(0x0D);
    if (enter) enter->extended = true;
    return enter;
  }
  for (const ForwardedKey& named : kNamedKeys) {
    if (named.key == key) return drive::KeyOfCode(named.code);
  }
  return std::nullopt;
}

int WindowToScreen(int windowCoordinate, int scale, int screenSize) {
  if (scale < 1 || screenSize < 1) return 0;
  return std::clamp(windowCoordinate / scale, 0, screenSize - 1);
}

}  // namespace lcd
