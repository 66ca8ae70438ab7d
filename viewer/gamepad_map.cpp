#include "viewer/gamepad_map.h"

#include <algorithm>

#include "drive/key_names.h"

namespace lcd {

namespace {

struct DefaultEntry {
  SDL_GameControllerButton button;
  const char* key;
};

constexpr DefaultEntry kDefaults[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, "up"},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "down"},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left"},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "right"},
    {SDL_CONTROLLER_BUTTON_A, "enter"},
    {SDL_CONTROLLER_BUTTON_B, "escape"},
    {SDL_CONTROLLER_BUTTON_START, "escape"},
    {SDL_CONTROLLER_BUTTON_X, "space"},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "pageup"},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "pagedown"},
};

// The arrows of the left stick: for each axis (x, y) the key of the
// negative and of the positive side.
constexpr const char* kStickKeys[2][2] = {{"left", "right"}, {"up", "down"}};

drive::VirtualKey Key(const char* name) { return *drive::ParseKey(name); }

std::optional<SDL_GameControllerButton> ButtonNamed(const std::string& name) {
  const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
  if (button <= SDL_CONTROLLER_BUTTON_INVALID || button >= SDL_CONTROLLER_BUTTON_MAX) {
    return std::nullopt;
  }
  return button;
}

}  // namespace

bool IsGamepadEntry(const std::string& button, const std::string& key) {
  return ButtonNamed(button) && (key == "none" || drive::ParseKey(key));
}

GamepadMap::GamepadMap(const GamepadEntries& entries) {
  for (const DefaultEntry& entry : kDefaults) table_[entry.button] = Key(entry.key);
  for (const auto& [name, key] : entries) {
    if (!IsGamepadEntry(name, key)) continue;
    std::optional<drive::VirtualKey>& slot = table_[*ButtonNamed(name)];
    slot = key == "none" ? std::nullopt : drive::ParseKey(key);
  }
}

std::optional<drive::VirtualKey> GamepadMap::KeyOf(SDL_GameControllerButton button) const {
  if (button <= SDL_CONTROLLER_BUTTON_INVALID || button >= SDL_CONTROLLER_BUTTON_MAX) return {};
  return table_[button];
}

std::vector<PadKey> GamepadMap::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const std::optional<drive::VirtualKey> key =
          KeyOf(SDL_GameControllerButton(event.cbutton.button));
      if (!key) return {};
      const bool up = event.type == SDL_CONTROLLERBUTTONUP;
      std::vector<drive::VirtualKey>& held = held_[event.cbutton.which];
      const auto at = std::find(held.begin(), held.end(), *key);
      if (up && at != held.end()) held.erase(at);
      if (!up) held.push_back(*key);
      return {{*key, up}};
    }
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        return MoveAxis(event.caxis.which, 0, event.caxis.value);
      }
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        return MoveAxis(event.caxis.which, 1, event.caxis.value);
      }
      return {};
    case SDL_CONTROLLERDEVICEREMOVED: return ReleaseAll(event.cdevice.which);
    default: return {};
  }
}

std::vector<PadKey> GamepadMap::MoveAxis(SDL_JoystickID pad, int axis, int value) {
  int& side = sticks_[pad][axis];
  int wanted = side;
  if (value >= kPressAt) {
    wanted = 1;
  } else if (value <= -kPressAt) {
    wanted = -1;
  } else if (side != 0 && value * side < kReleaseAt) {
    wanted = 0;
  }
  if (wanted == side) return {};
  std::vector<PadKey> keys;
  if (side != 0) keys.push_back({Key(kStickKeys[axis][side > 0]), true});
  if (wanted != 0) keys.push_back({Key(kStickKeys[axis][wanted > 0]), false});
  side = wanted;
  return keys;
}

std::vector<PadKey> GamepadMap::ReleaseAll(SDL_JoystickID pad) {
  std::vector<PadKey> keys;
  for (const drive::VirtualKey& key : held_[pad]) keys.push_back({key, true});
  held_.erase(pad);
  const auto stick = sticks_.find(pad);
  if (stick != sticks_.end()) {
    for (int axis = 0; axis < 2; ++axis) {
      const int side = stick->second[axis];
      if (side != 0) keys.push_back({Key(kStickKeys[axis][side > 0]), true});
    }
    sticks_.erase(stick);
  }
  return keys;
}

}  // namespace lcd
