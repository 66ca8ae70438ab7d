// Gamepads plugged in and out while the viewer runs: SDL's virtual
// controller stands for a real one, and its events go through Gamepads as
// the viewer's event loop hands them over.

#include "viewer/gamepads.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "drive/key_names.h"

namespace lcd {
namespace {

class GamepadsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
  void TearDown() override { SDL_Quit(); }

  // The keys of every event waiting now.
  std::vector<PadKey> Drain(Gamepads& pads) {
    SDL_JoystickUpdate();
    std::vector<PadKey> keys;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      for (const PadKey& key : pads.Handle(event)) keys.push_back(key);
    }
    return keys;
  }
};

PadKey Down(const char* name) { return {*drive::ParseKey(name), false}; }
PadKey Up(const char* name) { return {*drive::ParseKey(name), true}; }

TEST_F(GamepadsTest, AControllerPluggedInWhileRunningSendsKeysAndReleasesThemWhenUnplugged) {
  Gamepads pads(GamepadEntries{{"y", "f2"}});
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                              SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  EXPECT_TRUE(Drain(pads).empty());  // arrival opens it; no key
  SDL_Joystick* stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
  ASSERT_NE(stick, nullptr) << "the arrival did not open the controller";

  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_Y, SDL_PRESSED);
  EXPECT_EQ(Drain(pads), (std::vector{Down("enter"), Down("f2")}));
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_Y, SDL_RELEASED);
  EXPECT_EQ(Drain(pads), std::vector{Up("f2")});
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -32768);
  EXPECT_EQ(Drain(pads), std::vector{Down("left")});

  // Unplugged with Enter and the stick still held: both are released, once
  // each (SDL resets the controller's state as it goes, then reports it gone).
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  EXPECT_THAT(Drain(pads), ::testing::UnorderedElementsAre(Up("enter"), Up("left")));
}

}  // namespace
}  // namespace lcd
