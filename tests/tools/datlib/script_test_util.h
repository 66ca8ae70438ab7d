#pragma once
// Helpers shared by the script tool tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/tools/datlib/project_test_util.h"
#include "tools/datlib/script_asm.h"

namespace datlib::testing {

// Bytes of a plain (GB2312) literal, without its terminator.
inline Bytes Gb(std::string_view s) { return Bytes(s.begin(), s.end()); }

inline std::optional<AssembledScript> Assemble(std::string_view src, Diagnostics& diag) {
  return AssembleScript(src, "t.gsa", diag);
}

// The body of an assembled script: everything after header and event table.
inline Bytes Body(std::string_view src) {
  Diagnostics diag;
  const auto script = Assemble(src, diag);
  EXPECT_TRUE(script) << diag.Text();
  if (!script) return {};
  const std::size_t start = 24 + 3 + 2 * std::size_t{script->bytes[26]};
  return Bytes(script->bytes.begin() + static_cast<std::ptrdiff_t>(start), script->bytes.end());
}

}  // namespace datlib::testing
