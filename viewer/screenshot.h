#pragma once
// F12 screenshots: the frame shown, as a PNG named for the local time.

#include <ctime>
#include <string>

#include "platform/gdi/image.h"

namespace lcd {

// "tovsim-YYYYMMDD-HHMMSS.png" for `when` in local time.
std::string ScreenshotName(std::time_t when);

// Writes `image` into `folder` under the name for `when`; the path written,
// or an empty string with `error` set.
std::string SaveScreenshot(const plat::Image& image, const std::string& folder, std::time_t when,
                           std::string* error);

}  // namespace lcd
