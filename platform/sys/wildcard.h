#pragma once
// File-name patterns of the platform's file search: '*' matches any run of
// bytes (also none), '?' exactly one byte, everything else itself with ASCII
// letters compared without case. "*.*" matches every name, also names
// without a dot.

#include <string_view>

namespace plat {

bool MatchFilePattern(std::string_view pattern, std::string_view name);

}  // namespace plat
