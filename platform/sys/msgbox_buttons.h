#pragma once
// The buttons of a message box type, shared by MessageBoxA and the
// message-box program that shows the box on a display.

namespace plat {

struct MessageBoxButton {
  int id;             // IDOK, IDCANCEL, ...
  const char* label;  // "OK", "Cancel", ...
};

struct MessageBoxButtons {
  MessageBoxButton buttons[3];
  int count;
};

// The button set of `type` (its low four bits; an unknown set is OK alone).
const MessageBoxButtons& ButtonsOf(unsigned type);

// The default button (MB_DEFBUTTON2/3 where the set has it, else the first).
int DefaultButton(const MessageBoxButtons& set, unsigned type);

// The button that closing the box stands for: Cancel where there is one,
// else the first.
int CloseButton(const MessageBoxButtons& set);

// True when `id` is one of the set's buttons.
bool HasButton(const MessageBoxButtons& set, int id);

}  // namespace plat
