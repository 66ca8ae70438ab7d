#include "viewer/gamepads.h"

#include <cstdio>

namespace lcd {

Gamepads::Gamepads(const GamepadEntries& entries) : map_(entries) {
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!started_) std::fprintf(stderr, "Lcd: no gamepads (%s)\n", SDL_GetError());
}

Gamepads::~Gamepads() {
  for (const auto& [id, pad] : open_) SDL_GameControllerClose(pad);
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::vector<PadKey> Gamepads::Handle(const SDL_Event& event) {
  if (!started_) return {};
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    // `which` is the device's index here; the others carry its instance id.
    if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
      if (open_.count(id)) {
        SDL_GameControllerClose(pad);
      } else {
        open_[id] = pad;
        std::fprintf(stderr, "Lcd: gamepad \"%s\" connected\n", SDL_GameControllerName(pad));
      }
    }
    return {};
  }
  if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
    const auto pad = open_.find(event.cdevice.which);
    if (pad != open_.end()) {
      SDL_GameControllerClose(pad->second);
      open_.erase(pad);
    }
  }
  return map_.Handle(event);
}

}  // namespace lcd
