#include "viewer/screenshot.h"

#include "platform/gdi/png.h"

namespace lcd {

std::string ScreenshotName(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char name[64];
  std::strftime(name, sizeof name, "tovsim-%Y%m%d-%H%M%S.png", &local);
  return name;
}

std::string SaveScreenshot(const plat::Image& image, const std::string& folder, std::time_t when,
                           std::string* error) {
  if (image.pixels.empty()) {
    *error = "nothing has been shown yet";
    return {};
  }
  const std::string path = folder + "/" + ScreenshotName(when);
  if (!plat::WritePngFile(path, image, error)) return {};
  return path;
}

}  // namespace lcd
