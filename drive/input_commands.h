#pragma once
// Scripted input: the commands a script gives to stand for the viewer's
// user (simctl's command line, a replay file), turned into the window
// messages the viewer would post to the host window for them.
//
//   key KEY, keyup KEY   WM_KEYDOWN / WM_KEYUP with the viewer's key data
//   type TEXT            one kHostCharMessage (1128) per character of the
//                        UTF-8 TEXT in GB2312
//   click X Y            513 (MK_LBUTTON), 514 at screen pixel (X, Y)
//   dblclick X Y         513, 514, 515, 514, as a double click arrives
//   post MSG WPARAM LPARAM
//                        any one message, numbers decimal or 0x hex

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace drive {

struct InputMessage {
  uint32_t message;
  uint32_t wParam;
  uint32_t lParam;
};

// True for the names above.
bool IsInputCommand(std::string_view command);

// The messages of one command, in posting order. False, with `error` set
// and `out` untouched, for an unknown command or bad arguments.
bool InputCommandMessages(std::string_view command, const std::vector<std::string>& args,
                          std::vector<InputMessage>* out, std::string* error);

}  // namespace drive
