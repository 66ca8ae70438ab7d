#pragma once
// Gamepads as the device's keys: SDL's game-controller events become key
// presses and releases for the host. The d-pad and the left stick give the
// arrows; A Enter, B Escape, Start Escape, X Space, the shoulder buttons
// Page Up and Page Down. The settings file's [gamepad] section changes the
// table (`a = enter`, `y = f2`, `back = none`), with SDL's button names and
// the key names scripts use (drive/key_names.h).
//
// Pure: no SDL call but its name tables, so a test drives it with
// synthetic events.

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "drive/input_map.h"

namespace lcd {

// One key going down or up for the host.
struct PadKey {
  drive::VirtualKey key;
  bool up;

  bool operator==(const PadKey&) const = default;
};

using GamepadEntries = std::vector<std::pair<std::string, std::string>>;

// Whether `button = key` is a valid [gamepad] line: an SDL button name
// ("a", "dpup", "leftshoulder", ...) and a key name or "none".
bool IsGamepadEntry(const std::string& button, const std::string& key);

class GamepadMap {
 public:
  // The default table changed by `entries` (checked with IsGamepadEntry;
  // invalid ones are skipped).
  explicit GamepadMap(const GamepadEntries& entries = {});

  // The keys an event gives: button presses and releases, the left stick
  // crossing its threshold (releasing the opposite arrow first), and, for a
  // controller unplugged, the release of every key it still held. Other
  // events give nothing.
  std::vector<PadKey> Handle(const SDL_Event& event);

  // The key of a button, if it has one.
  std::optional<drive::VirtualKey> KeyOf(SDL_GameControllerButton button) const;

  // How far the stick must move (of 32767) to press an arrow, and how far
  // back to release it; the gap keeps a stick near the edge from chattering.
  static constexpr int kPressAt = 16000;
  static constexpr int kReleaseAt = 12000;

 private:
  // A stick axis held to one side: -1, 0 or 1.
  using AxisState = std::array<int, 2>;
  std::vector<PadKey> MoveAxis(SDL_JoystickID pad, int axis, int value);
  std::vector<PadKey> ReleaseAll(SDL_JoystickID pad);

  std::array<std::optional<drive::VirtualKey>, SDL_CONTROLLER_BUTTON_MAX> table_;
  std::map<SDL_JoystickID, AxisState> sticks_;
  // The buttons each controller holds down, to release them when it goes.
  std::map<SDL_JoystickID, std::vector<drive::VirtualKey>> held_;
};

}  // namespace lcd
