// artgen: paints the procedural pictures of the Desktop and its test application.
#include <cstdio>
#include <string>
#include <vector>

#include "AppEntry/art/pictures.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "platform/sys/main_guard.h"

namespace {

constexpr const char* kUsage =
    "usage: artgen PICTURE -o OUT.bmp|OUT.png\n"
    "\n"
    "PICTURE is one of:\n"
    "  desktop   the Desktop's 320x240 background\n"
    "  scene     the test application's 320x240 picture\n"
    "OUT ending in .png writes a PNG (for viewing), otherwise a 24-bit BMP.\n";

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

static int Run(int argc, char** argv) {
  if (plat::AnswerHelp(argc, argv, kUsage)) return 0;
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() != 3 || a[1] != "-o" || (a[0] != "desktop" && a[0] != "scene")) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const plat::Image image = a[0] == "desktop" ? art::PaintDesktop() : art::PaintScene();
  std::string error;
  const bool ok = EndsWith(a[2], ".png") ? plat::WritePngFile(a[2], image, &error)
                                         : plat::WriteBmpFile(a[2], image, plat::BmpWriteOptions{}, &error);
  if (!ok) {
    std::fprintf(stderr, "artgen: %s: %s\n", a[2].c_str(), error.c_str());
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  return plat::RunMain("artgen", [&] { return Run(argc, argv); });
}
