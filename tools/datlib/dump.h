#pragma once
// Turns a library image back into a project: project.yaml, one source file
// per resource that has a file format, and records files grouped by kind.
// Everything stays in memory; the caller writes the files.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "tools/datlib/diag.h"

namespace datlib {

// path relative to the dump folder → file contents
using FileSet = std::map<std::string, std::string>;

// `name` names the library in diagnostics. Returns nothing (with errors in
// `diag`) when the image is no readable library.
std::optional<FileSet> DumpLibrary(std::span<const std::uint8_t> image, const std::string& name,
                                   Diagnostics& diag);

}  // namespace datlib
