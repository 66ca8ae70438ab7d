#include "viewer/viewer_window.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/png.h"
#include "platform/win/win.h"
#include "viewer/companion_queries.h"

namespace lcd {

namespace {

LcdFrame* frame = nullptr;
FrameListener* listener = nullptr;

// Tools waiting for a frame: their pid and the count they wait to pass.
struct FrameWaiter {
  plat::WPARAM pid;
  plat::LPARAM after;
};
std::vector<FrameWaiter> frameWaiters;

void AnswerFrameWaiter(const FrameWaiter& waiter) {
  const std::string title = "simctl." + std::to_string(waiter.pid);
  if (plat::HWND tool = plat::FindWindowA(kToolReplyClass, title.c_str())) {
    plat::PostMessageA(tool, kToolReplyMessage, kLcdAskFrameAfter, plat::LPARAM(frame->Sequence()));
  }
}

// Answers the waiters whose frame has come and keeps the others.
void AnswerFrameWaiters() {
  std::erase_if(frameWaiters, [](const FrameWaiter& waiter) {
    if (plat::LPARAM(frame->Sequence()) <= waiter.after) return false;
    AnswerFrameWaiter(waiter);
    return true;
  });
}

plat::LRESULT AskFrameAfter(plat::WPARAM pid, plat::LPARAM after) {
  frameWaiters.push_back({pid, after});
  AnswerFrameWaiters();
  return 1;
}

plat::LRESULT Repaint() {
  std::string error;
  if (!frame->CopyFromBlock(&error)) {
    std::fprintf(stderr, "Lcd: repaint skipped: %s\n", error.c_str());
    return 0;
  }
  if (listener) listener->FrameReady();
  AnswerFrameWaiters();
  return 1;
}

plat::LRESULT ChangeMode(const plat::COPYDATASTRUCT& data) {
  if (data.cbData != sizeof(ScreenModeRecord) || !data.lpData) {
    std::fprintf(stderr, "Lcd: ignored a mode record of %u bytes\n", unsigned(data.cbData));
    return 0;
  }
  ScreenModeRecord record;
  std::memcpy(&record, data.lpData, sizeof record);
  std::string error;
  if (!frame->ChangeMode(record, &error)) {
    std::fprintf(stderr, "Lcd: ignored a mode change: %s\n", error.c_str());
    return 0;
  }
  if (listener) listener->ModeChanged(record.width, record.height);
  return 1;
}

plat::LRESULT SaveFrame(const plat::COPYDATASTRUCT& data) {
  if (!data.lpData || data.cbData == 0) return 0;
  const std::string path(static_cast<const char*>(data.lpData),
                         strnlen(static_cast<const char*>(data.lpData), data.cbData));
  const plat::Image image = frame->Snapshot();
  if (image.pixels.empty()) return 0;
  std::string error;
  if (!plat::WritePngFile(path, image, &error)) {
    std::fprintf(stderr, "Lcd: cannot save the frame: %s\n", error.c_str());
    return 0;
  }
  return 1;
}

plat::LRESULT TakeCopyData(const plat::COPYDATASTRUCT& data) {
  switch (data.dwData) {
    case kScreenModeCopyData: return ChangeMode(data);
    case kLcdSaveFrameCopyData: return SaveFrame(data);
    default:
      std::fprintf(stderr, "Lcd: ignored copy-data %zu\n", size_t(data.dwData));
      return 0;
  }
}

plat::LRESULT FrameSize() {
  int width = 0;
  int height = 0;
  frame->ShownSize(&width, &height);
  return plat::LRESULT(uint32_t(width) | uint32_t(height) << 16);
}

plat::LRESULT ViewerProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                         plat::LPARAM lParam) {
  switch (message) {
    case kLcdRepaintMessage:
      return Repaint();
    case plat::WM_COPYDATA:
      return TakeCopyData(*reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam));
    case kLcdQueryFrameSize:
      return FrameSize();
    case kLcdQueryFrameCount:
      return plat::LRESULT(frame->Sequence());
    case kLcdAskFrameAfter:
      return AskFrameAfter(wParam, lParam);
    case plat::WM_CLOSE:
      if (listener) listener->Closing();
      plat::PostQuitMessage(0);
      return 0;
    default:
      return plat::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

plat::HWND CreateViewerWindow(LcdFrame& lcdFrame, FrameListener* frameListener) {
  frame = &lcdFrame;
  listener = frameListener;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &ViewerProc;
  windowClass.lpszClassName = kLcdClass;
  if (!plat::RegisterClassA(&windowClass)) return nullptr;
  return plat::CreateWindowA(kLcdClass, kLcdTitle, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                             nullptr);
}

void RunViewerWindow(plat::HWND window) {
  plat::MSG message;
  while (plat::GetMessageA(&message, nullptr, 0, 0) > 0) plat::DispatchMessageA(&message);
  plat::DestroyWindow(window);
}

}  // namespace lcd
