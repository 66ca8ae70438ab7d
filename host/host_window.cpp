// The hidden host window: its class, its message loop and the procedure
// that turns input and timer window messages into device Messages.

#include <string>
#include <thread>

#include "host/companion.h"
#include "host/host_main.h"
#include "host/input_tap.h"
#include "host/lcd.h"
#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace {

// Caption, system menu, sizing frame and minimise box; never visible.
constexpr uint32_t kHostWindowStyle = 0x00CE0000;
// Redraw on horizontal and vertical resizing, as a plain top-level window.
constexpr plat::UINT kHostClassStyle = 0x0003;

bool IsQueuedWindowMessage(plat::UINT message) {
  switch (message) {
    case plat::WM_KEYDOWN:
    case plat::WM_KEYUP:
    case plat::WM_TIMER:
    case plat::WM_LBUTTONDOWN:
    case plat::WM_LBUTTONUP:
    case plat::WM_LBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

void RunAppThread(void* argument) { AppThreadProc(argument); }

// The ring's event and lock exist before the application thread's first
// GetMsg.
void OnCreate() {
  MsgRingOpen();
  plat::_beginthread(RunAppThread, 0, nullptr);
}

// The viewer is asked to close first, then the sound player. The window
// stays; the ring's lock is kept for an application thread still running.
void OnClose() {
  LcdSend(plat::WM_CLOSE, 0, 0);
  SndSend(plat::WM_CLOSE, 0, 0);
  plat::PostQuitMessage(0);
}

// A tool's answer, posted to its reply window; a tool that is gone is
// simply not found.
void ReplyToTool(plat::WPARAM pid, plat::UINT question, plat::LPARAM result) {
  const std::string title = ToolReplyTitle(pid);
  if (plat::HWND tool = plat::FindWindowA(kToolReplyClass, title.c_str())) {
    plat::PostMessageA(tool, kToolReplyMessage, question, result);
  }
}

// Only a thread outside the clock may wait for the clock; the answer goes
// from there.
plat::LRESULT AdvanceForTool(plat::WPARAM pid, plat::LPARAM milliseconds) {
  if (!plat::ClockIsVirtual() || milliseconds < 0) return 0;
  constexpr int64_t kAdvanceTimeoutMs = 60000;
  std::thread([pid, milliseconds] {
    const bool idle = plat::AdvanceClock(milliseconds, kAdvanceTimeoutMs);
    ReplyToTool(pid, kHostAskAdvance, idle ? 1 : 0);
  }).detach();
  return 1;
}

// A named mark from a tool.
plat::LRESULT TakeCopyData(plat::LPARAM lParam) {
  const auto& data = *reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam);
  if (data.dwData != kHostMarkCopyData || !data.lpData) return 0;
  const std::string name(static_cast<const char*>(data.lpData), data.cbData);
  return !name.empty() && TapMark(name) ? 1 : 0;
}

bool RegisterHostClass(plat::HINSTANCE instance) {
  // A class is registered once per process; a host started again in the
  // same process (the tests) reuses it.
  static const bool registered = [instance] {
    plat::WNDCLASSA windowClass{};
    windowClass.style = kHostClassStyle;
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHostClass;
    return plat::RegisterClassA(&windowClass) != 0;
  }();
  return registered;
}

}  // namespace

plat::LRESULT HostWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam,
                             plat::LPARAM lParam) {
  if (message == plat::WM_CREATE) {
    OnCreate();
    return 0;
  }
  if (message == plat::WM_CLOSE) {
    OnClose();
    return 0;
  }
  if (IsInputMessage(message)) {
    // A recording takes the input and delivers it at a virtual time of its
    // choosing; otherwise it goes straight to the ring.
    if (!TapInput(message, uint32_t(wParam), uint32_t(lParam))) {
      QueueInput(message, uint32_t(wParam), uint32_t(lParam));
    }
    return 0;
  }
  if (message == kHostMarkMessage) {
    TapMark("");
    return 0;
  }
  if (message == plat::WM_COPYDATA) return TakeCopyData(lParam);
  if (message == kHostAskIdle) {
    plat::RunWhenIdle([wParam] { ReplyToTool(wParam, kHostAskIdle, 1); });
    return 1;
  }
  if (message == kHostAskAdvance) return AdvanceForTool(wParam, lParam);
  if (IsQueuedWindowMessage(message)) {
    QueueMessage(message, uint32_t(wParam), uint32_t(lParam));
    return 0;
  }
  return plat::DefWindowProcA(window, message, wParam, lParam);
}

plat::HWND CreateHostWindow(plat::HINSTANCE instance) {
  if (!RegisterHostClass(instance)) return nullptr;
  return plat::CreateWindowA(kHostClass, kHostTitle, kHostWindowStyle, plat::CW_USEDEFAULT,
                             plat::CW_USEDEFAULT, hostScreen.width, hostScreen.height, nullptr,
                             nullptr, instance, nullptr);
}

plat::HWND FindHostWindow() { return plat::FindWindowA(kHostClass, kHostTitle); }

void RunMessageLoop() {
  plat::MSG message;
  while (plat::GetMessageA(&message, nullptr, 0, 0)) {
    plat::TranslateMessage(&message);
    plat::DispatchMessageA(&message);
  }
}
