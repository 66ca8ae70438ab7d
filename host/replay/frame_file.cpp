#include "host/replay/frame_file.h"

#include "drive/lcd_frame.h"
#include "host/lcd.h"
#include "platform/gdi/png.h"

namespace replay {

bool SaveScreenFrame(const std::string& path, std::string* why) {
  drive::LcdFrame frame(hostScreen.width, hostScreen.height);
  std::string reason;
  if (!frame.CopyFromBlock(&reason)) {
    *why = "cannot read the screen: " + reason;
    return false;
  }
  if (!plat::WritePngFile(path, frame.Snapshot(), &reason)) {
    *why = "cannot write " + path + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace replay
