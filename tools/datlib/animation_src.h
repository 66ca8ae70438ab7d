#pragma once
// Effect animations in YAML: the played range, the elements and the list of
// picture files (one frame each) the elements show.
//
//   - type: animation
//     id: [2, 7]
//     first: 0          # first element played (default 0)
//     last: 2           # last element played (default the last one)
//     elements:         # dx, dy, life in frames, delay to the next, picture
//       - {dx: 0, dy: 0, life: 3, delay: 1, picture: 0}
//       - [4, 0, 3, 1, 1]
//     pictures: [spark0.txt, spark1.txt]

#include <yaml-cpp/yaml.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/record_src.h"

namespace datlib {

std::optional<std::vector<std::uint8_t>> CompileAnimation(const YAML::Node& node,
                                                          rpgfmt::ResKey key,
                                                          const std::string& file,
                                                          const std::string& dir,
                                                          Diagnostics& diag);

std::optional<DecodedRecord> DecodeAnimation(std::span<const std::uint8_t> bytes,
                                             rpgfmt::ResKey key, const SourcePos& origin,
                                             Diagnostics& diag);

}  // namespace datlib
