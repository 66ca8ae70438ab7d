#pragma once
// The viewer's window ("LcdClass", "TovLcd"): takes the host's repaints and
// mode changes and the tools' questions, on the thread that creates it.

#include "platform/win/types.h"
#include "viewer/lcd_frame.h"

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

// Registers the class and creates the window on the calling thread. The
// window copies the shared block into `frame` before it answers a repaint.
// Null when the window cannot be made.
plat::HWND CreateViewerWindow(LcdFrame& frame, FrameListener* listener);

// Runs the calling thread's message loop until WM_CLOSE, then destroys the
// window.
void RunViewerWindow(plat::HWND window);

}  // namespace lcd
