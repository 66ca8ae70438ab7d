#pragma once
// Helpers for the datlib tests: UTF-8 text from u8 literals, file bytes,
// projects built and the program's commands run in-process.
// Folders come from tests/support/scratch.h; diagnostics print with Text().

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/scratch.h"
#include "tools/datlib/builder.h"
#include "tools/datlib/cli.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/project.h"

namespace datlib::testing {

using testsupport::ScratchDir;

using Bytes = std::vector<std::uint8_t>;

// Plain literals are compiled to GB2312; sources are UTF-8.
inline std::string U8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

// The bytes of a file; empty when it cannot be read.
inline Bytes ReadBytes(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  return Bytes(bytes.begin(), bytes.end());
}

// Loads the project at `path` and builds its library; nothing, with `diag`
// set, when either fails.
inline std::optional<Bytes> BuildProjectFile(const std::string& path, Diagnostics& diag) {
  auto project = LoadProject(path, diag);
  if (!project) return std::nullopt;
  return BuildLibrary(project->title, project->resources, diag);
}

struct CliRun {
  int code;
  std::string out, err;
};

// `datlib ARGS...`: its exit code and what it printed.
inline CliRun Datlib(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunDatlib(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace datlib::testing
