#pragma once
// Turns a library image back into a project: project.yaml, one source file
// per resource that has a file format, and records files grouped by kind.
// Everything stays in memory; the caller writes the files.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/picture.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/tileset_src.h"

namespace datlib {

// path relative to the dump folder → file contents
using FileSet = std::map<std::string, std::string>;

// A tile set to export as a PNG and a Tiled tile set next to its source,
// so the dumped maps open in Tiled. Writing them touches the disk, so the
// caller does it.
struct TiledExport {
  rpgfmt::Picture picture;
  TileSetInfo info;
  std::string dir;   // relative to the dump folder
  std::string stem;  // file names without extension
};

struct DumpResult {
  FileSet files;
  std::vector<TiledExport> tiled;
};

// `name` names the library in diagnostics. Returns nothing (with errors in
// `diag`) when the image is no readable library.
std::optional<DumpResult> DumpLibrary(std::span<const std::uint8_t> image,
                                      const std::string& name, Diagnostics& diag);

}  // namespace datlib
