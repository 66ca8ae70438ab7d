#include "tools/simctl/host_link.h"

#include <unistd.h>

#include <string>

#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace simctl {

namespace {

constexpr uintptr_t kTimeoutTimer = 1;

plat::LRESULT ReplyProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam,
                        plat::LPARAM lParam) {
  return plat::DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterReplyClass() {
  static const bool registered = [] {
    plat::WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.lpszClassName = kToolReplyClass;
    return plat::RegisterClassA(&windowClass) != 0;
  }();
  return registered;
}

}  // namespace

plat::HWND FindHost() { return plat::FindWindowA(kHostClass, kHostTitle); }

plat::HWND FindViewer() { return plat::FindWindowA(kLcdClass, kLcdTitle); }

ReplyWindow::ReplyWindow() {
  if (!RegisterReplyClass()) return;
  const std::string title = ToolReplyTitle(getpid());
  window_ = plat::CreateWindowA(kToolReplyClass, title.c_str(), 0, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
}

ReplyWindow::~ReplyWindow() {
  if (window_) plat::DestroyWindow(window_);
}

std::optional<plat::LPARAM> ReplyWindow::Ask(plat::HWND target, plat::UINT question,
                                             plat::LPARAM lParam, std::int64_t timeoutMs) {
  if (!window_) return std::nullopt;
  const plat::WPARAM pid = plat::WPARAM(getpid());
  if (plat::SendMessageA(target, question, pid, lParam) != 1) return std::nullopt;
  plat::SetTimer(window_, kTimeoutTimer, plat::UINT(timeoutMs));
  std::optional<plat::LPARAM> answer;
  plat::MSG message;
  while (plat::GetMessageA(&message, window_, 0, 0) > 0) {
    if (message.message == kToolReplyMessage && message.wParam == question) {
      answer = message.lParam;
      break;
    }
    if (message.message == plat::WM_TIMER && message.wParam == kTimeoutTimer) break;
  }
  plat::KillTimer(window_, kTimeoutTimer);
  return answer;
}

}  // namespace simctl
