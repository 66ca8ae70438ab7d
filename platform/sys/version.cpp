#include "platform/sys/version.h"

#include <cstdio>
#include <cstring>

namespace plat {

const char* ProjectVersion() { return TOVSIM_VERSION; }

bool AnswerVersion(int argc, char** argv, const char* program) {
  if (argc < 2 || std::strcmp(argv[1], "--version") != 0) return false;
  std::printf("%s %s\n", program, ProjectVersion());
  return true;
}

}  // namespace plat
