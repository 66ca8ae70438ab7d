#pragma once
// The gamepads plugged in, opened and closed as SDL reports them (also while
// running), and their events turned into the host's keys by GamepadMap.

#include <SDL.h>

#include <map>
#include <vector>

#include "viewer/gamepad_map.h"

namespace lcd {

class Gamepads {
 public:
  // Starts SDL's game-controller support; without it (noted on stderr)
  // there are no gamepads and Handle gives nothing.
  explicit Gamepads(const GamepadEntries& entries);
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Opens a controller that arrives, closes one that leaves, and gives the
  // keys an event stands for.
  std::vector<PadKey> Handle(const SDL_Event& event);

 private:
  bool started_ = false;
  GamepadMap map_;
  std::map<SDL_JoystickID, SDL_GameController*> open_;
};

}  // namespace lcd
