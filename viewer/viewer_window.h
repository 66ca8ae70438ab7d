#pragma once
// The viewer's window ("LcdClass", "TovLcd"): takes the host's repaints and
// mode changes and the tools' questions, on the thread that creates it.

#include <vector>

#include "drive/lcd_frame.h"
#include "platform/win/types.h"

namespace lcd {

// What the window tells the display. Called on the window's thread; must
// not block.
class FrameListener {
 public:
  virtual ~FrameListener() = default;
  virtual void FrameReady() = 0;
  virtual void ModeChanged(int width, int height) = 0;
  // WM_CLOSE arrived; the window's message loop is about to end.
  virtual void Closing() = 0;
};

// The window copies the shared block into `frame` before it answers a
// repaint and tells `listener` (when given) what changed. Its procedure finds
// the object through the window's user data (platform/win/object_window.h).
class ViewerWindow {
 public:
  ViewerWindow(drive::LcdFrame& frame, FrameListener* listener);
  ViewerWindow(const ViewerWindow&) = delete;
  ViewerWindow& operator=(const ViewerWindow&) = delete;

  // Registers the class (once per process) and creates the window on the
  // calling thread; false when it cannot be made.
  bool Create();

  // Runs the calling thread's message loop until WM_CLOSE, then destroys the
  // window.
  void Run();

  plat::HWND hwnd() const { return window_; }

  // The window procedure's work, on the window's thread.
  plat::LRESULT Handle(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                       plat::LPARAM lParam);

 private:
  // Tools waiting for a frame: their pid and the count they wait to pass.
  struct FrameWaiter {
    plat::WPARAM pid;
    plat::LPARAM after;
  };

  plat::LRESULT Repaint();
  plat::LRESULT TakeCopyData(const plat::COPYDATASTRUCT& data);
  plat::LRESULT ChangeMode(const plat::COPYDATASTRUCT& data);
  plat::LRESULT SaveFrame(const plat::COPYDATASTRUCT& data);
  plat::LRESULT FrameSize() const;
  plat::LRESULT AskFrameAfter(plat::WPARAM pid, plat::LPARAM after);
  void AnswerFrameWaiters();
  void AnswerFrameWaiter(const FrameWaiter& waiter) const;

  drive::LcdFrame& frame_;
  FrameListener* listener_;
  std::vector<FrameWaiter> frameWaiters_;
  plat::HWND window_ = nullptr;
};

}  // namespace lcd
