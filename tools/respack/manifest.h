#pragma once
// Package manifest (YAML): the pictures of one resource package, in directory order.
//
//   images:
//     - file: title.txt        # BMP, PNG or pixel art (.txt), relative to the manifest
//     - file: scene.png
//       offset: 691456         # optional: the image must start exactly here
//     - file: gem.txt
//       key: true              # optional: magenta 0xFF00FF is transparent (kind 1)
//       depth: 8               # optional: bits per pixel when converting PNG or pixel art
//
// BMP files go into the package unchanged; PNG and pixel art are written as BMP.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codec/diagnostics.h"

namespace respack {

struct ManifestImage {
  std::string file;  // as written in the manifest
  std::string path;  // resolved against the manifest's folder
  bool keyed = false;
  std::optional<std::uint32_t> offset;
  std::optional<int> depth;
  int line = 0;      // 1-based line of the entry in the manifest
};

struct Manifest {
  std::string name;  // the manifest's path, for messages
  std::vector<ManifestImage> images;
};

// Parses manifest text; `baseDir` resolves relative file names. On failure
// returns false after reporting the first fault to `diag` at its line and
// column in `name`.
bool ParseManifest(const std::string& text, const std::string& name, const std::string& baseDir,
                   Manifest& out, codec::Diagnostics& diag);

bool LoadManifest(const std::string& path, Manifest& out, codec::Diagnostics& diag);

}  // namespace respack
