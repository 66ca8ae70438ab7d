#pragma once
// A recording's hold on the host window's input. While a tap is set, the
// input messages the window receives (keys, typed characters, clicks) go to
// the tap instead of the ring, and marks (F9 in the viewer, `simctl mark`)
// to its mark function; the recording delivers the input itself, with
// QueueInput, at the virtual time it writes down.

#include <cstdint>
#include <functional>
#include <string>

struct InputTap {
  std::function<void(uint32_t message, uint32_t wParam, uint32_t lParam)> input;
  // `name` is empty for the viewer's F9 (the recording names it); false for
  // a name it cannot take.
  std::function<bool(const std::string& name)> mark;
};

// Sets the tap (before the host starts), or clears it with an empty one.
void SetInputTap(InputTap tap);

// True for the messages the viewer sends as its user's input.
bool IsInputMessage(uint32_t message);

// Hands an input message to the tap; false when there is none.
bool TapInput(uint32_t message, uint32_t wParam, uint32_t lParam);
// Hands a mark to the tap; false when there is none or it refused the name.
bool TapMark(const std::string& name);

// What the host window does with an input message: appends its device
// Message to the ring (a typed character as MsgChar).
void QueueInput(uint32_t message, uint32_t wParam, uint32_t lParam);
