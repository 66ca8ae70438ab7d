#include "host/input_tap.h"

#include "host/msg.h"
#include "host/types.h"
#include "platform/win/types.h"
#include "protocol/messages.h"

namespace {

InputTap tap;

}  // namespace

void SetInputTap(InputTap newTap) { tap = std::move(newTap); }

bool IsInputMessage(uint32_t message) {
  switch (message) {
    case plat::WM_KEYDOWN:
    case plat::WM_KEYUP:
    case plat::WM_LBUTTONDOWN:
    case plat::WM_LBUTTONUP:
    case plat::WM_LBUTTONDBLCLK:
    case kHostCharMessage:
      return true;
    default:
      return false;
  }
}

bool TapInput(uint32_t message, uint32_t wParam, uint32_t lParam) {
  if (!tap.input) return false;
  tap.input(message, wParam, lParam);
  return true;
}

bool TapMark(const std::string& name) { return tap.mark && tap.mark(name); }

void QueueInput(uint32_t message, uint32_t wParam, uint32_t lParam) {
  QueueMessage(message == kHostCharMessage ? uint32_t(MsgChar) : message, wParam, lParam);
}
