#include "tools/respack/package_commands.h"

#include <cstdio>
#include <filesystem>

#include "tools/respack/picture_source.h"

namespace respack {
namespace {

std::string EntryFileName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "%03zu.bmp", index);
  return name;
}

std::string KindName(std::uint32_t kind) {
  if (kind == pkgfmt::kKindPlain) return "plain";
  if (kind == pkgfmt::kKindKeyed) return "keyed";
  return "kind " + std::to_string(kind);
}

std::string FindPicture(const ManifestImage& m, const std::vector<std::string>& searchDirs) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(m.path, ec) || fs::path(m.file).is_absolute()) return m.path;
  for (const std::string& dir : searchDirs) {
    const fs::path candidate = fs::path(dir) / m.file;
    if (fs::exists(candidate, ec)) return candidate.string();
  }
  return m.path;  // reading it reports the missing file
}

}  // namespace

bool BuildPackage(const Manifest& manifest, const std::vector<std::string>& searchDirs,
                  std::vector<std::uint8_t>& out, std::string& error) {
  const auto at = [&](int line) { return manifest.name + ":" + std::to_string(line) + ": "; };
  std::vector<pkgfmt::PackImage> images;
  std::vector<pkgfmt::ImageSlot> slots;
  for (const ManifestImage& m : manifest.images) {
    pkgfmt::PackImage image;
    std::string why;
    if (!LoadPictureAsBmp(FindPicture(m, searchDirs), m.depth, image.bmp, why)) {
      error = at(m.line) + why;
      return false;
    }
    image.kind = m.keyed ? pkgfmt::kKindKeyed : pkgfmt::kKindPlain;
    slots.push_back({image.bmp.size(), m.offset});
    images.push_back(std::move(image));
  }
  pkgfmt::Layout layout;
  std::size_t failed = 0;
  std::string why;
  if (!pkgfmt::LayOutPackage(slots, layout, failed, why)) {
    error = at(manifest.images[failed].line) + manifest.images[failed].file + ": " + why;
    if (failed > 0 && why.find("previous image") != std::string::npos) {
      error += " from " + manifest.images[failed - 1].file + " of line " +
               std::to_string(manifest.images[failed - 1].line);
    }
    return false;
  }
  out = pkgfmt::WritePackage(images, layout);
  return true;
}

bool ExtractPackage(const pkgfmt::PackageIndex& index, const std::string& dir, std::vector<std::string>& skipped,
                    std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = "cannot make " + dir + ": " + ec.message();
    return false;
  }
  std::string manifest = "# Extracted by respack; `respack build` on this file rebuilds the package.\nimages:\n";
  for (std::size_t i = 0; i < index.entries.size(); ++i) {
    const pkgfmt::PackageEntry& e = index.entries[i];
    if (!e.usable) {
      skipped.push_back("entry " + std::to_string(i) + " at " + std::to_string(e.offset) + ": " +
                        e.problem.Text());
      continue;
    }
    const std::string name = EntryFileName(i);
    const std::vector<std::uint8_t> bytes(e.bytes.begin(), e.bytes.end());
    if (!WriteFileBytes((std::filesystem::path(dir) / name).string(), bytes, error)) return false;
    manifest += "  - file: " + name + "\n    offset: " + std::to_string(e.offset) + "\n";
    if (e.kind == pkgfmt::kKindKeyed) manifest += "    key: true\n";
  }
  const std::vector<std::uint8_t> text(manifest.begin(), manifest.end());
  return WriteFileBytes((std::filesystem::path(dir) / "manifest.yaml").string(), text, error);
}

std::string ListPackage(const pkgfmt::PackageIndex& index, std::size_t fileSize) {
  std::string out = std::to_string(index.entries.size()) + " entries, " + std::to_string(fileSize) + " bytes\n";
  out += "index     offset       size      w x h   bpp  kind\n";
  char line[160];
  for (std::size_t i = 0; i < index.entries.size(); ++i) {
    const pkgfmt::PackageEntry& e = index.entries[i];
    if (e.usable) {
      std::snprintf(line, sizeof line, "%5zu %10u %10zu %5d x %-5d %3u  %s\n", i, e.offset, e.bytes.size(),
                    e.bmp.width, e.bmp.height, unsigned(e.bmp.bitsPerPixel), KindName(e.kind).c_str());
      out += line;
    } else {
      std::snprintf(line, sizeof line, "%5zu %10u  unusable: ", i, e.offset);
      out += line + e.problem.Text() + "\n";
    }
  }
  return out;
}

}  // namespace respack
