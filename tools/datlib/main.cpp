// datlib: the game's data library compiler. See docs/datlib.md.
#include <iostream>

#include "platform/sys/main_guard.h"
#include "platform/sys/version.h"
#include "tools/datlib/cli.h"

static int Run(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return datlib::RunDatlib(args, std::cout, std::cerr);
}

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "datlib")) return 0;
  return plat::RunMain("datlib", [&] { return Run(argc, argv); });
}
