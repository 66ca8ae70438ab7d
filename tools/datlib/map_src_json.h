#pragma once
// JSON parsing that remembers where each value starts, so errors about a
// value can name its line and column.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <nlohmann/json.hpp>

#include "tools/datlib/diag.h"

namespace datlib {

class PositionedJson {
 public:
  // Nothing, with the syntax error reported, when `text` is not JSON.
  static std::optional<PositionedJson> Parse(std::string_view text, const std::string& file,
                                             Diagnostics& diag);

  const nlohmann::json& Root() const { return root_; }
  // Position of the value at JSON pointer `pointer` ("/layers/0/data/5"), or of
  // its nearest recorded parent.
  SourcePos PosOf(std::string pointer) const;

 private:
  std::string file_;
  std::string text_;
  nlohmann::json root_;
  std::unordered_map<std::string, std::size_t> offsets_;

  friend class PositionRecorder;
};

}  // namespace datlib
