#pragma once
// Records in YAML: one map per record, its fields named as in the record
// layouts of rpg/format/records.h, plus the entry's own keys (type, id, tail)
// which the project loader reads. Effect animations are records too; their
// pictures are picture source files.

#include <yaml-cpp/yaml.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"

namespace datlib {

// Keys of a record entry that are not fields of the record.
inline const std::vector<std::string> kEntryKeys = {"type", "id", "tail"};

// True when the key's type and id1 have a record layout or are animations.
bool IsRecordKey(rpgfmt::ResKey key);

// Compiles the record for `key` from its YAML map; `dir` anchors the
// picture files an animation names.
std::optional<std::vector<std::uint8_t>> CompileRecord(const YAML::Node& node,
                                                       rpgfmt::ResKey key,
                                                       const std::string& file,
                                                       const std::string& dir,
                                                       Diagnostics& diag);

// A file written next to a dumped record (an animation's pictures).
struct SideFile {
  std::string path;  // relative to the dump folder
  std::string text;
};

struct DecodedRecord {
  YAML::Node fields;             // without type, id and tail
  std::size_t size = 0;          // bytes the record spans
  std::vector<SideFile> files;   // picture files it refers to
};

// Reads the record at the start of `bytes` (a resource's extent); nothing
// when the bytes do not hold a whole record of the key's layout.
std::optional<DecodedRecord> DecodeRecord(std::span<const std::uint8_t> bytes, rpgfmt::ResKey key,
                                          const SourcePos& origin, Diagnostics& diag);

}  // namespace datlib
