#include "tools/simctl/screen_capture.h"

#include "drive/lcd_frame.h"

namespace simctl {

bool CaptureScreen(int width, int height, plat::Image* out, std::string* error) {
  if (width < 1 || height < 1 || width > drive::kMaxSide || height > drive::kMaxSide) {
    *error = "the screen size " + std::to_string(width) + "x" + std::to_string(height) +
             " is out of range";
    return false;
  }
  // Read as the viewer reads it for a repaint.
  drive::LcdFrame frame(width, height);
  if (!frame.CopyFromBlock(error)) return false;
  *out = frame.Snapshot();
  return true;
}

}  // namespace simctl
