#pragma once
// Posts the viewer's input to the host window, found by its class and title
// and looked up again when the host it knew has gone.

#include "platform/win/types.h"

namespace lcd {

class HostLink {
 public:
  // False when no host window takes the message.
  bool Post(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

 private:
  plat::HWND host_ = nullptr;
};

}  // namespace lcd
