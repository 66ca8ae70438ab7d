#pragma once
// The project file (project.yaml): the library's title and every resource,
// each from a source file of its own or from a record in a records file.
// The schema is described in docs/datlib.md.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/resource.h"

namespace datlib {

struct Project {
  std::array<char, rpgfmt::kLibTitleSize> title{};
  std::vector<Resource> resources;
};

// Reads the project and compiles every resource it names. Errors go to
// `diag`; nothing is returned when there were any.
std::optional<Project> LoadProject(const std::string& path, Diagnostics& diag);

// The directory part of a path ("" for a bare name).
std::string DirOf(const std::string& path);
// `name` relative to `dir` ("" = current directory).
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace datlib
