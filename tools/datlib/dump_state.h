#pragma once
// Internals of the dump shared by its parts: the project being written and
// the naming of dumped files.

#include <yaml-cpp/yaml.h>

#include <map>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "rpg/format/picture.h"
#include "tools/datlib/dump.h"
#include "tools/datlib/tileset_src.h"

namespace datlib {

struct DumpState {
  FileSet files;
  YAML::Node resources{YAML::NodeType::Sequence};
  std::map<std::string, YAML::Node> records;  // records file → list of entries
  std::vector<TiledExport> tiled;
};

// "map_1_2": the type's word and the ids.
std::string Stem(rpgfmt::ResKey key);
// A project entry with its type and id.
YAML::Node EntryHead(rpgfmt::ResKey key);
// Adds a file-based resource entry; `own` bytes come from `file`, the rest
// of `bytes` is kept as the entry's tail.
void AddFileEntry(rpgfmt::ResKey key, const std::string& file, std::span<const std::uint8_t> bytes,
                  std::size_t own, DumpState& st);
// Raw bytes as a .hex source, for what no source format can express.
void AddHexEntry(rpgfmt::ResKey key, std::span<const std::uint8_t> bytes, DumpState& st);

struct DumpInput {
  rpgfmt::ResKey key;
  std::span<const std::uint8_t> bytes;  // the resource's bytes, its tail included
  std::size_t known = 0;                // bytes its layout accounts for
  SourcePos origin;
};

// Writes the tile sets and the maps (which need their tile set's
// walkability); returns false for an input it left to the hex fallback.
void DumpMapsAndTileSets(std::span<const DumpInput> tileSets, std::span<const DumpInput> maps,
                         DumpState& st, Diagnostics& diag);

}  // namespace datlib
