// respack: builds, lists and takes apart resource packages.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "format/package/package_format.h"
#include "platform/gdi/png.h"
#include "platform/sys/main_guard.h"
#include "platform/sys/version.h"
#include "tools/respack/manifest.h"
#include "tools/respack/package_commands.h"
#include "tools/respack/picture_source.h"

namespace {

constexpr const char* kUsage =
    "usage: respack build MANIFEST -o PACKAGE [-I DIR]...\n"
    "                                            build a package from a YAML manifest;\n"
    "                                            pictures not found next to it are\n"
    "                                            looked up in each DIR\n"
    "       respack ls PACKAGE                   list the entries of a package\n"
    "       respack extract PACKAGE -o DIR       write each image and a manifest into DIR\n"
    "       respack convert PICTURE -o OUT [--depth N]\n"
    "                                            write a BMP, PNG or pixel-art picture as\n"
    "                                            .bmp (N bits per pixel, default 24) or .png\n"
    "       respack --help | --version\n"
    "\n"
    "Manifest and pixel-art formats: docs/respack.md.\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "respack: %s\n", message.c_str());
  return 1;
}

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// Splits "CMD INPUT [-o OUTPUT] [--depth N] [-I DIR]..."; false on anything else.
struct Args {
  std::string input, output;
  int depth = 0;
  std::vector<std::string> searchDirs;
};

enum Allow { kNoExtras = 0, kDepth = 1, kSearchDirs = 2 };

bool ParseArgs(const std::vector<std::string>& a, bool needOutput, int allow, Args& out) {
  if (a.size() < 2) return false;
  out.input = a[1];
  for (std::size_t i = 2; i < a.size(); ++i) {
    if (a[i] == "-o" && i + 1 < a.size()) {
      out.output = a[++i];
    } else if ((allow & kSearchDirs) && a[i] == "-I" && i + 1 < a.size()) {
      out.searchDirs.push_back(a[++i]);
    } else if ((allow & kDepth) && a[i] == "--depth" && i + 1 < a.size()) {
      const std::string& d = a[++i];
      if (d != "1" && d != "4" && d != "8" && d != "16" && d != "24" && d != "32") return false;
      out.depth = std::stoi(d);
    } else {
      return false;
    }
  }
  return needOutput == !out.output.empty();
}

bool ReadPackageFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                     pkgfmt::PackageIndex& index, std::string& error) {
  if (!respack::ReadFileBytes(path, bytes, error)) return false;
  codec::Result<pkgfmt::PackageIndex> read = pkgfmt::ReadPackage(bytes);
  if (!read) {
    codec::Error fault = read.error();
    fault.file = path;
    error = fault.Text();
    return false;
  }
  index = std::move(*read);
  return true;
}

int Build(const Args& args) {
  respack::Manifest manifest;
  std::vector<std::uint8_t> package;
  codec::Diagnostics diag;
  if (!respack::LoadManifest(args.input, manifest, diag)) {
    std::fputs(diag.Text().c_str(), stderr);
    return 1;
  }
  std::string error;
  if (!respack::BuildPackage(manifest, args.searchDirs, package, error) ||
      !respack::WriteFileBytes(args.output, package, error)) {
    return Fail(error);
  }
  return 0;
}

int List(const Args& args) {
  std::vector<std::uint8_t> bytes;
  pkgfmt::PackageIndex index;
  std::string error;
  if (!ReadPackageFile(args.input, bytes, index, error)) return Fail(error);
  std::fputs(respack::ListPackage(index, bytes.size()).c_str(), stdout);
  return 0;
}

int Extract(const Args& args) {
  std::vector<std::uint8_t> bytes;
  pkgfmt::PackageIndex index;
  std::vector<std::string> skipped;
  std::string error;
  if (!ReadPackageFile(args.input, bytes, index, error) ||
      !respack::ExtractPackage(index, args.output, skipped, error)) {
    return Fail(error);
  }
  for (const std::string& s : skipped) std::fprintf(stderr, "respack: skipped %s\n", s.c_str());
  return 0;
}

int Convert(const Args& args) {
  std::string error;
  const bool png = args.output.size() > 4 && args.output.substr(args.output.size() - 4) == ".png";
  if (png) {
    plat::Image image;
    if (!respack::LoadPictureImage(args.input, image, error)) return Fail(error);
    if (!plat::WritePngFile(args.output, image, &error)) return Fail(args.output + ": " + error);
    return 0;
  }
  std::vector<std::uint8_t> bmp;
  const std::optional<int> depth = args.depth ? std::optional<int>(args.depth) : std::nullopt;
  if (!respack::LoadPictureAsBmp(args.input, depth, bmp, error) || !respack::WriteFileBytes(args.output, bmp, error)) {
    return Fail(error);
  }
  return 0;
}

}  // namespace

static int Run(int argc, char** argv) {
  if (plat::AnswerHelp(argc, argv, kUsage)) return 0;
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.empty()) return Usage();
  Args args;
  if (a[0] == "build" && ParseArgs(a, true, kSearchDirs, args)) return Build(args);
  if (a[0] == "ls" && ParseArgs(a, false, kNoExtras, args)) return List(args);
  if (a[0] == "extract" && ParseArgs(a, true, kNoExtras, args)) return Extract(args);
  if (a[0] == "convert" && ParseArgs(a, true, kDepth, args)) return Convert(args);
  return Usage();
}

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "respack")) return 0;
  return plat::RunMain("respack", [&] { return Run(argc, argv); });
}
