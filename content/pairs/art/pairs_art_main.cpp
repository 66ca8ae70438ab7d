// pairs_art: paints the pairs game's card pictures.
#include <cstdio>
#include <string>

#include "content/pairs/art/pairs_art.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "platform/sys/main_guard.h"

namespace {

constexpr const char* kUsage =
    "usage: pairs_art -o DIR\n"
    "       pairs_art sheet -o SHEET.png\n"
    "\n"
    "Paints the pairs game's 25 cards (32x32) as 24-bit BMP files into DIR:\n"
    "card00.bmp is the back, card01.bmp to card24.bmp the faces. 'sheet' instead\n"
    "writes one PNG of all 25, four times enlarged, for looking them over.\n";

constexpr int kScale = 4;
constexpr int kCards = pairs_art::kFaces + 1;

bool Write(const std::string& path, const plat::Image& image, bool png) {
  std::string error;
  const bool ok = png ? plat::WritePngFile(path, image, &error)
                      : plat::WriteBmpFile(path, image, plat::BmpWriteOptions{}, &error);
  if (!ok) std::fprintf(stderr, "pairs_art: %s: %s\n", path.c_str(), error.c_str());
  return ok;
}

bool WriteCards(const std::string& dir) {
  for (int i = 0; i < kCards; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/card%02d.bmp", i);
    if (!Write(dir + name, pairs_art::PaintCard(i), false)) return false;
  }
  return true;
}

// Five rows of five, with a gap of a quarter card.
bool WriteSheet(const std::string& path) {
  const int cell = pairs_art::kCardSize * kScale + 8;
  plat::Image sheet{5 * cell, 5 * cell, {}};
  sheet.pixels.assign(std::size_t(sheet.width) * sheet.height, 0x2A2A2A);
  for (int i = 0; i < kCards; ++i) {
    const plat::Image card = pairs_art::PaintCard(i);
    for (int y = 0; y < pairs_art::kCardSize * kScale; ++y) {
      for (int x = 0; x < pairs_art::kCardSize * kScale; ++x) {
        sheet.at(i % 5 * cell + 4 + x, i / 5 * cell + 4 + y) = card.at(x / kScale, y / kScale);
      }
    }
  }
  return Write(path, sheet, true);
}

}  // namespace

static int Run(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (argc == 3 && std::string(argv[1]) == "-o") return WriteCards(argv[2]) ? 0 : 1;
  if (argc == 4 && std::string(argv[1]) == "sheet" && std::string(argv[2]) == "-o") {
    return WriteSheet(argv[3]) ? 0 : 1;
  }
  std::fputs(kUsage, stderr);
  return 2;
}

int main(int argc, char** argv) {
  return plat::RunMain("pairs_art", [&] { return Run(argc, argv); });
}
