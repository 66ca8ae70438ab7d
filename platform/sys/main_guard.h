#pragma once
// Every program's main runs its body through RunMain. What a program cannot
// go on from arrives as an exception (the platform's scheduler throws
// std::system_error when the kernel refuses it an eventfd or a poll;
// std::bad_alloc); here, and only here, it becomes one line on stderr and
// exit status 1 (or the program's own failure status) instead of an abort.

#include <cstdio>
#include <cstring>
#include <exception>

namespace plat {

// When the command line asks for the program's help (--help or -h anywhere
// after the program's name), prints `usage` on stdout and answers true.
inline bool AnswerHelp(int argc, char** argv, const char* usage) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(usage, stdout);
      return true;
    }
  }
  return false;
}

template <class Body>
int RunMain(const char* program, Body&& body, int failureStatus = 1) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", program, e.what());
    return failureStatus;
  }
}

}  // namespace plat
