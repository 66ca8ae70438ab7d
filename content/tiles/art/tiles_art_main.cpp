// tiles_art: paints the tile-matching game's pictures from its motifs.
#include <cstdio>
#include <string>
#include <vector>

#include "content/tiles/art/tiles_art.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "platform/sys/main_guard.h"
#include "tools/respack/picture_source.h"

namespace {

constexpr const char* kUsage =
    "usage: tiles_art -o DIR MOTIF.txt...\n"
    "       tiles_art sheet -o SHEET.png MOTIF.txt...\n"
    "\n"
    "Paints the tile game's pictures as 24-bit BMP files into DIR:\n"
    "background.bmp (240x320), marker.bmp, and for the N-th motif (16x16 pixel\n"
    "art, magenta transparent) tileNN.bmp and litNN.bmp (24x24, NN from 01).\n"
    "'sheet' instead writes one PNG showing every picture four times enlarged,\n"
    "for looking them over.\n";

constexpr int kSheetScale = 4;

bool LoadMotifs(const std::vector<std::string>& paths, std::vector<plat::Image>& motifs) {
  for (const std::string& path : paths) {
    plat::Image motif;
    std::string error;
    if (!respack::LoadPictureImage(path, motif, error)) {
      std::fprintf(stderr, "tiles_art: %s: %s\n", path.c_str(), error.c_str());
      return false;
    }
    if (motif.width != tiles_art::kMotifSize || motif.height != tiles_art::kMotifSize) {
      std::fprintf(stderr, "tiles_art: %s: a motif is 16 x 16 pixels, not %d x %d\n", path.c_str(),
                   motif.width, motif.height);
      return false;
    }
    motifs.push_back(std::move(motif));
  }
  return true;
}

bool Write(const std::string& path, const plat::Image& image) {
  std::string error;
  const bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
  const bool ok = png ? plat::WritePngFile(path, image, &error)
                      : plat::WriteBmpFile(path, image, plat::BmpWriteOptions{}, &error);
  if (!ok) std::fprintf(stderr, "tiles_art: %s: %s\n", path.c_str(), error.c_str());
  return ok;
}

std::string Numbered(const std::string& dir, const char* stem, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "/%s%02d.bmp", stem, n);
  return dir + name;
}

bool WritePictures(const std::string& dir, const std::vector<plat::Image>& motifs) {
  plat::Image background;
  std::string error;
  if (!tiles_art::PaintBackground(background, error)) {
    std::fprintf(stderr, "tiles_art: %s\n", error.c_str());
    return false;
  }
  bool ok = Write(dir + "/background.bmp", background) &&
            Write(dir + "/marker.bmp", tiles_art::PaintMarker());
  for (std::size_t i = 0; i < motifs.size() && ok; ++i) {
    ok = Write(Numbered(dir, "tile", int(i) + 1), tiles_art::PaintTile(motifs[i], false)) &&
         Write(Numbered(dir, "lit", int(i) + 1), tiles_art::PaintTile(motifs[i], true));
  }
  return ok;
}

// Rows of ten: each motif's normal tile over its selected one, on the
// board's green; the marker last.
bool WriteSheet(const std::string& path, const std::vector<plat::Image>& motifs) {
  const int cell = tiles_art::kTileSize;
  const int count = int(motifs.size()) + 1;
  const int rows = (count + 9) / 10;
  plat::Image sheet{10 * cell * kSheetScale, rows * 2 * cell * kSheetScale, {}};
  sheet.pixels.assign(std::size_t(sheet.width) * sheet.height, 0x1A5C39);
  auto place = [&](const plat::Image& picture, int column, int row) {
    for (int y = 0; y < cell * kSheetScale; ++y) {
      for (int x = 0; x < cell * kSheetScale; ++x) {
        const uint32_t c = picture.at(x / kSheetScale, y / kSheetScale);
        if (c != tiles_art::kKey) sheet.at(column * cell * kSheetScale + x, row * cell * kSheetScale + y) = c;
      }
    }
  };
  for (int i = 0; i < int(motifs.size()); ++i) {
    place(tiles_art::PaintTile(motifs[i], false), i % 10, i / 10 * 2);
    place(tiles_art::PaintTile(motifs[i], true), i % 10, i / 10 * 2 + 1);
  }
  place(tiles_art::PaintMarker(), (count - 1) % 10, (count - 1) / 10 * 2);
  return Write(path, sheet);
}

}  // namespace

static int Run(int argc, char** argv) {
  std::vector<std::string> a(argv + 1, argv + argc);
  for (const std::string& s : a) {
    if (s == "--help" || s == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  const bool sheet = !a.empty() && a[0] == "sheet";
  if (sheet) a.erase(a.begin());
  if (a.size() < 3 || a[0] != "-o") {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::vector<plat::Image> motifs;
  if (!LoadMotifs({a.begin() + 2, a.end()}, motifs)) return 1;
  return (sheet ? WriteSheet(a[1], motifs) : WritePictures(a[1], motifs)) ? 0 : 1;
}

int main(int argc, char** argv) {
  return plat::RunMain("tiles_art", [&] { return Run(argc, argv); });
}
