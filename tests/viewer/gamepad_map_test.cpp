// Gamepads as keys, driven by synthetic SDL controller events: the default
// table, the stick's threshold and its gap, a controller unplugged while it
// holds keys, two controllers apart, and the table changed by settings.

#include "viewer/gamepad_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "drive/key_names.h"

namespace lcd {
namespace {

SDL_Event Button(SDL_JoystickID pad, SDL_GameControllerButton button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  event.cbutton.which = pad;
  event.cbutton.button = uint8_t(button);
  event.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  return event;
}

SDL_Event Axis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int value) {
  SDL_Event event{};
  event.type = SDL_CONTROLLERAXISMOTION;
  event.caxis.which = pad;
  event.caxis.axis = uint8_t(axis);
  event.caxis.value = int16_t(value);
  return event;
}

SDL_Event Removed(SDL_JoystickID pad) {
  SDL_Event event{};
  event.type = SDL_CONTROLLERDEVICEREMOVED;
  event.cdevice.which = pad;
  return event;
}

PadKey Down(const char* name) { return {*drive::ParseKey(name), false}; }
PadKey Up(const char* name) { return {*drive::ParseKey(name), true}; }

TEST(GamepadMapTest, TheDefaultButtonsPressAndReleaseTheirKeys) {
  struct Case {
    SDL_GameControllerButton button;
    const char* key;
  };
  const Case cases[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_UP, "up"},       {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "down"},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left"},   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "right"},
      {SDL_CONTROLLER_BUTTON_A, "enter"},          {SDL_CONTROLLER_BUTTON_B, "escape"},
      {SDL_CONTROLLER_BUTTON_START, "escape"},     {SDL_CONTROLLER_BUTTON_X, "space"},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "pageup"},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "pagedown"},
  };
  GamepadMap map;
  for (const Case& c : cases) {
    EXPECT_EQ(map.Handle(Button(3, c.button, true)), std::vector{Down(c.key)}) << c.key;
    EXPECT_EQ(map.Handle(Button(3, c.button, false)), std::vector{Up(c.key)}) << c.key;
  }
  // Buttons without a key, and events that are not the controller's.
  EXPECT_TRUE(map.Handle(Button(3, SDL_CONTROLLER_BUTTON_Y, true)).empty());
  EXPECT_TRUE(map.Handle(Button(3, SDL_CONTROLLER_BUTTON_GUIDE, true)).empty());
  EXPECT_TRUE(map.Handle(Axis(3, SDL_CONTROLLER_AXIS_RIGHTX, 32767)).empty());
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  EXPECT_TRUE(map.Handle(key).empty());
}

TEST(GamepadMapTest, TheLeftStickPressesArrowsPastItsThreshold) {
  GamepadMap map;
  const SDL_GameControllerAxis x = SDL_CONTROLLER_AXIS_LEFTX;
  const SDL_GameControllerAxis y = SDL_CONTROLLER_AXIS_LEFTY;
  EXPECT_TRUE(map.Handle(Axis(1, x, GamepadMap::kPressAt - 1)).empty());
  EXPECT_EQ(map.Handle(Axis(1, x, GamepadMap::kPressAt)), std::vector{Down("right")});
  EXPECT_TRUE(map.Handle(Axis(1, x, 32767)).empty());  // still held: no repeat
  // Inside the gap it stays down; below it, it is released.
  EXPECT_TRUE(map.Handle(Axis(1, x, GamepadMap::kReleaseAt)).empty());
  EXPECT_EQ(map.Handle(Axis(1, x, GamepadMap::kReleaseAt - 1)), std::vector{Up("right")});
  // Straight across: the old side goes up before the new one goes down.
  EXPECT_EQ(map.Handle(Axis(1, x, 20000)), std::vector{Down("right")});
  EXPECT_EQ(map.Handle(Axis(1, x, -32768)), (std::vector{Up("right"), Down("left")}));
  // The y axis is its own: down is positive.
  EXPECT_EQ(map.Handle(Axis(1, y, 30000)), std::vector{Down("down")});
  EXPECT_EQ(map.Handle(Axis(1, y, -30000)), (std::vector{Up("down"), Down("up")}));
  EXPECT_EQ(map.Handle(Axis(1, y, 0)), std::vector{Up("up")});
}

TEST(GamepadMapTest, AnUnpluggedControllerReleasesWhatItHeld) {
  GamepadMap map;
  map.Handle(Button(1, SDL_CONTROLLER_BUTTON_A, true));
  map.Handle(Button(1, SDL_CONTROLLER_BUTTON_X, true));
  map.Handle(Button(1, SDL_CONTROLLER_BUTTON_X, false));
  map.Handle(Axis(1, SDL_CONTROLLER_AXIS_LEFTY, 32767));
  // A second controller is apart: its keys stay held.
  map.Handle(Button(2, SDL_CONTROLLER_BUTTON_B, true));
  EXPECT_EQ(map.Handle(Removed(1)), (std::vector{Up("enter"), Up("down")}));
  EXPECT_TRUE(map.Handle(Removed(1)).empty());
  // Plugged in again, it starts from nothing held.
  EXPECT_EQ(map.Handle(Axis(1, SDL_CONTROLLER_AXIS_LEFTY, 32767)), std::vector{Down("down")});
  EXPECT_EQ(map.Handle(Removed(2)), std::vector{Up("escape")});
}

TEST(GamepadMapTest, SettingsChangeTheTable) {
  EXPECT_TRUE(IsGamepadEntry("y", "f2"));
  EXPECT_TRUE(IsGamepadEntry("LeftShoulder", "a"));
  EXPECT_TRUE(IsGamepadEntry("start", "none"));
  EXPECT_FALSE(IsGamepadEntry("z", "enter"));      // no such button
  EXPECT_FALSE(IsGamepadEntry("a", "warp"));       // no such key
  EXPECT_FALSE(IsGamepadEntry("", ""));
  GamepadMap map({{"y", "f2"}, {"start", "none"}, {"a", "space"}, {"q", "enter"}});
  EXPECT_EQ(map.Handle(Button(0, SDL_CONTROLLER_BUTTON_Y, true)), std::vector{Down("f2")});
  EXPECT_TRUE(map.Handle(Button(0, SDL_CONTROLLER_BUTTON_START, true)).empty());
  EXPECT_EQ(map.Handle(Button(0, SDL_CONTROLLER_BUTTON_A, true)), std::vector{Down("space")});
  // What the settings do not name keeps its default.
  EXPECT_EQ(map.Handle(Button(0, SDL_CONTROLLER_BUTTON_B, true)), std::vector{Down("escape")});
}

}  // namespace
}  // namespace lcd
