#pragma once
// The project's version, as every program's --version prints it. It is set
// once, in the top CMakeLists.txt's project() call.

namespace plat {

// "MAJOR.MINOR.PATCH".
const char* ProjectVersion();

// When the first argument is --version, prints "PROGRAM VERSION" on stdout
// and answers true.
bool AnswerVersion(int argc, char** argv, const char* program);

}  // namespace plat
