#include "viewer/viewer_window.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gdi/png.h"
#include "platform/win/object_window.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "protocol/windows.h"

namespace lcd {

ViewerWindow::ViewerWindow(drive::LcdFrame& frame, FrameListener* listener)
    : frame_(frame), listener_(listener) {}

bool ViewerWindow::Create() {
  window_ = plat::CreateObjectWindow(kLcdClass, kLcdTitle, this);
  return window_ != nullptr;
}

void ViewerWindow::Run() { plat::RunWindowUntilQuit(window_); }

plat::LRESULT ViewerWindow::Handle(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                                   plat::LPARAM lParam) {
  switch (message) {
    case kLcdRepaintMessage:
      return Repaint();
    case plat::WM_COPYDATA:
      return TakeCopyData(*reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam));
    case kLcdQueryFrameSize:
      return FrameSize();
    case kLcdQueryFrameCount:
      return plat::LRESULT(frame_.Sequence());
    case kLcdAskFrameAfter:
      return AskFrameAfter(wParam, lParam);
    case plat::WM_CLOSE:
      if (listener_) listener_->Closing();
      plat::PostQuitMessage(0);
      return 0;
    default:
      return plat::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void ViewerWindow::AnswerFrameWaiter(const FrameWaiter& waiter) const {
  if (plat::HWND tool = plat::FindWindowA(kToolReplyClass, ToolReplyTitle(waiter.pid).c_str())) {
    plat::PostMessageA(tool, kToolReplyMessage, kLcdAskFrameAfter, plat::LPARAM(frame_.Sequence()));
  }
}

// Answers the waiters whose frame has come and keeps the others.
void ViewerWindow::AnswerFrameWaiters() {
  std::erase_if(frameWaiters_, [this](const FrameWaiter& waiter) {
    if (plat::LPARAM(frame_.Sequence()) <= waiter.after) return false;
    AnswerFrameWaiter(waiter);
    return true;
  });
}

plat::LRESULT ViewerWindow::AskFrameAfter(plat::WPARAM pid, plat::LPARAM after) {
  frameWaiters_.push_back({pid, after});
  AnswerFrameWaiters();
  return 1;
}

plat::LRESULT ViewerWindow::Repaint() {
  std::string error;
  if (!frame_.CopyFromBlock(&error)) {
    std::fprintf(stderr, "Lcd: repaint skipped: %s\n", error.c_str());
    return 0;
  }
  if (listener_) listener_->FrameReady();
  AnswerFrameWaiters();
  return 1;
}

plat::LRESULT ViewerWindow::ChangeMode(const plat::COPYDATASTRUCT& data) {
  if (data.cbData != sizeof(ScreenModeRecord) || !data.lpData) {
    std::fprintf(stderr, "Lcd: ignored a mode record of %u bytes\n", unsigned(data.cbData));
    return 0;
  }
  ScreenModeRecord record;
  std::memcpy(&record, data.lpData, sizeof record);
  std::string error;
  if (!frame_.ChangeMode(record, &error)) {
    std::fprintf(stderr, "Lcd: ignored a mode change: %s\n", error.c_str());
    return 0;
  }
  if (listener_) listener_->ModeChanged(record.width, record.height);
  return 1;
}

plat::LRESULT ViewerWindow::SaveFrame(const plat::COPYDATASTRUCT& data) {
  if (!data.lpData || data.cbData == 0) return 0;
  const std::string path(static_cast<const char*>(data.lpData),
                         strnlen(static_cast<const char*>(data.lpData), data.cbData));
  const plat::Image image = frame_.Snapshot();
  if (image.pixels.empty()) return 0;
  std::string error;
  if (!plat::WritePngFile(path, image, &error)) {
    std::fprintf(stderr, "Lcd: cannot save the frame: %s\n", error.c_str());
    return 0;
  }
  return 1;
}

plat::LRESULT ViewerWindow::TakeCopyData(const plat::COPYDATASTRUCT& data) {
  switch (data.dwData) {
    case kScreenModeCopyData: return ChangeMode(data);
    case kLcdSaveFrameCopyData: return SaveFrame(data);
    default:
      std::fprintf(stderr, "Lcd: ignored copy-data %zu\n", size_t(data.dwData));
      return 0;
  }
}

plat::LRESULT ViewerWindow::FrameSize() const {
  int width = 0;
  int height = 0;
  frame_.ShownSize(&width, &height);
  return PackFrameSize(width, height);
}

}  // namespace lcd
