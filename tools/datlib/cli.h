#pragma once
// The datlib program's commands, callable from tests: arguments in, text out,
// exit code back (0 success, 1 errors in the input, 2 wrong usage).

#include <ostream>
#include <string>
#include <vector>

namespace datlib {

int RunDatlib(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace datlib
