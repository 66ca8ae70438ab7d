#pragma once
// The source format of each resource type, both ways: which compiler turns a
// file into a resource's bytes, and which writer turns bytes back into a
// file. Any type can also come from a `.hex` file of raw bytes, which is what
// dumps fall back to for bytes no source format can express.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/tileset_src.h"

namespace datlib {

// What compiling one source may need from the others: maps take the
// walkability of their tile set, so tile sets are compiled first.
struct BuildContext {
  std::map<std::uint8_t, TileSetInfo> tileSets;  // by tile-set number (id2)
};

// Compiles the file at `path` into the resource `key`.
std::optional<std::vector<std::uint8_t>> CompileSourceFile(const std::string& path,
                                                           rpgfmt::ResKey key,
                                                           BuildContext& context,
                                                           Diagnostics& diag);

// How many bytes the resource at the start of `bytes` spans by its own
// layout, or 0 when its layout does not say (or does not fit).
std::size_t KnownSize(std::span<const std::uint8_t> bytes, rpgfmt::ResKey key);

struct SourceFile {
  std::string path;  // relative to the dump folder
  std::string text;
};

struct DumpedSource {
  std::vector<SourceFile> files;  // files[0] is the one the project names
};

// Writes `bytes` (exactly the resource) as source files named from `stem`;
// falls back to hex when the bytes do not suit the type's own format.
DumpedSource DecompileSource(std::span<const std::uint8_t> bytes, rpgfmt::ResKey key,
                             const std::string& stem, const SourcePos& origin,
                             Diagnostics& diag);

// Raw bytes as hex text (16 bytes a line) and back.
std::string WriteHexText(std::span<const std::uint8_t> bytes);
std::optional<std::vector<std::uint8_t>> ParseHexText(const std::string& text,
                                                      const std::string& file,
                                                      Diagnostics& diag);

}  // namespace datlib
