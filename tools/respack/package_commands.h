#pragma once
// The work behind respack's commands: build a package from a manifest, list
// one, and take one apart again.

#include <cstdint>
#include <string>
#include <vector>

#include "format/package/package_format.h"
#include "tools/respack/manifest.h"

namespace respack {

// Loads every picture of the manifest and lays the package out. A relative file
// name is looked up next to the manifest first, then in each of `searchDirs`
// (pictures made during a build live apart from the manifest). Errors name the
// manifest line of the picture at fault.
bool BuildPackage(const Manifest& manifest, const std::vector<std::string>& searchDirs,
                  std::vector<std::uint8_t>& out, std::string& error);

// Writes each usable image of the package to `dir` as NNN.bmp, with a
// manifest.yaml that builds the same package again (every image at its
// offset). Unusable entries are left out and reported in `skipped`.
bool ExtractPackage(const pkgfmt::PackageIndex& index, const std::string& dir, std::vector<std::string>& skipped,
                    std::string& error);

// One line per entry: index, offset, size, width x height, bits per pixel, kind.
std::string ListPackage(const pkgfmt::PackageIndex& index, std::size_t fileSize);

}  // namespace respack
