// blocks_art: paints the falling-blocks game's background.
#include <cstdio>
#include <cstring>

#include "content/blocks/background.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "platform/sys/main_guard.h"

namespace {

constexpr const char* kUsage =
    "usage: blocks_art background -o OUT.bmp|OUT.png\n"
    "\n"
    "Paints the falling-blocks game's 240x320 background. OUT ending in .png\n"
    "writes a PNG (for viewing), otherwise a 24-bit BMP.\n";

bool EndsWith(const char* s, const char* end) {
  const std::size_t n = std::strlen(s), m = std::strlen(end);
  return n >= m && std::strcmp(s + n - m, end) == 0;
}

int Run(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (argc != 4 || std::strcmp(argv[1], "background") != 0 || std::strcmp(argv[2], "-o") != 0) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const plat::Image image = blocks_art::PaintBackground();
  std::string error;
  const bool ok = EndsWith(argv[3], ".png") ? plat::WritePngFile(argv[3], image, &error)
                                            : plat::WriteBmpFile(argv[3], image, plat::BmpWriteOptions{}, &error);
  if (!ok) {
    std::fprintf(stderr, "blocks_art: %s: %s\n", argv[3], error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return plat::RunMain("blocks_art", [&] { return Run(argc, argv); });
}
