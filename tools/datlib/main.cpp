// datlib: the game's data library compiler. See docs/datlib.md.
#include <iostream>

#include "tools/datlib/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return datlib::RunDatlib(args, std::cout, std::cerr);
}
