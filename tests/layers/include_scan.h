#pragma once
// The C++ sources of the tree and the #include lines in them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/layers/layer_table.h"

namespace layers {

// Every #include line of `text`, in order.
std::vector<Include> ReadIncludes(std::string_view text);

// The .h and .cpp files below `root`, as paths from it with '/' between
// folders, sorted. Hidden folders and build trees (a folder holding a
// CMakeCache.txt) are left out.
std::vector<std::string> SourceFiles(const std::filesystem::path& root);

}  // namespace layers
