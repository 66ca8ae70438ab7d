// numgrid_artgen: paints the number grid's pictures into a folder, where
// respack finds them when it packs content/numgrid/resource.yaml.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "content/numgrid/art/numgrid_art.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "platform/sys/main_guard.h"

namespace {

constexpr const char* kUsage =
    "usage: numgrid_artgen -o DIR [--png]\n"
    "\n"
    "Paints every picture of the number grid's package into DIR (made when\n"
    "missing) as 24-bit BMP files named as content/numgrid/resource.yaml names\n"
    "them; --png writes PNG files beside them too, for viewing.\n";

int Run(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string folder;
  bool png = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (args[i] == "--png") {
      png = true;
    } else if (args[i] == "-o" && i + 1 < args.size()) {
      folder = args[++i];
    } else {
      std::fprintf(stderr, "numgrid_artgen: unexpected '%s'\ntry 'numgrid_artgen --help'\n",
                   args[i].c_str());
      return 2;
    }
  }
  if (folder.empty()) {
    std::fputs("numgrid_artgen: -o DIR is needed\ntry 'numgrid_artgen --help'\n", stderr);
    return 2;
  }
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  for (const numgrid_art::NamedPicture& picture : numgrid_art::PaintAll()) {
    const std::string path = folder + "/" + picture.file;
    std::string error;
    bool ok = plat::WriteBmpFile(path, picture.image, plat::BmpWriteOptions{}, &error);
    if (ok && png)
      ok = plat::WritePngFile(path.substr(0, path.size() - 4) + ".png", picture.image, &error);
    if (!ok) {
      std::fprintf(stderr, "numgrid_artgen: %s: %s\n", path.c_str(), error.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return plat::RunMain("numgrid_artgen", [&] { return Run(argc, argv); });
}
