#pragma once
// Turns field tables into YAML maps and back. One table drives both
// directions, so what is dumped is exactly what is compiled.
//
// Numbers are plain YAML integers; texts are UTF-8 strings (GB2312 in the
// record); byte runs are lists of numbers. A text whose bytes are not a clean
// zero-terminated GB2312 string is written as {hex: "..."} so that any record
// survives a round trip.

#include <yaml-cpp/yaml.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/records.h"
#include "tools/datlib/diag.h"

namespace datlib {

// yaml-cpp throws when asked the type of a key that is absent; these say no.
inline bool IsScalar(const YAML::Node& n) { return n.IsDefined() && n.IsScalar(); }
inline bool IsSequence(const YAML::Node& n) { return n.IsDefined() && n.IsSequence(); }
inline bool IsMap(const YAML::Node& n) { return n.IsDefined() && n.IsMap(); }

// Where a YAML node sits in its file.
SourcePos PosOf(const std::string& file, const YAML::Node& node);

// Reads an integer in [lo, hi]; reports and returns nothing otherwise.
std::optional<long> ReadInt(const YAML::Node& node, long lo, long hi, const std::string& file,
                            Diagnostics& diag);

// Fills `out` (already sized) from the map's fields; fields not given take
// their default. Unknown keys are reported unless listed in `extraKeys`.
// Counted fields are left to the caller, which fills them from its lists.
void EncodeFields(const YAML::Node& map, std::span<const rpgfmt::Field> fields,
                  rpgfmt::ResKey key, std::span<const std::string> extraKeys,
                  const std::string& file, Diagnostics& diag, std::vector<std::uint8_t>& out,
                  std::size_t base = 0);

// Adds one entry per field to `map`, reading from `bytes` at `base`.
// A text field at the end (kTailText) reads to its zero byte; quiet fields
// at their default and counted fields are left out.
void DecodeFields(std::span<const std::uint8_t> bytes, std::size_t base,
                  std::span<const rpgfmt::Field> fields, rpgfmt::ResKey key, YAML::Node& map);

// A fixed-size text as YAML: a string when the bytes are GB2312 text followed
// only by zeros (`terminated`: at least one zero), else {hex: "..."}.
YAML::Node FixedTextNode(std::span<const std::uint8_t> bytes, bool terminated);

// Pairs of hex digits, blanks allowed anywhere between them.
std::optional<std::vector<std::uint8_t>> FromHex(const std::string& text);

}  // namespace datlib
