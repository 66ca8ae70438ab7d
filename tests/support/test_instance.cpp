#include "tests/support/test_instance.h"

#include <unistd.h>

#include <atomic>

namespace testsupport {

namespace {

std::string FreshName() {
  static std::atomic<int> counter{0};
  return "t" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

TestInstance::TestInstance()
    : runtime_("rt"),
      name_(FreshName()),
      runtimeEnv_("XDG_RUNTIME_DIR", runtime_.path()),
      instanceEnv_("TOVSIM_INSTANCE", name_) {}

}  // namespace testsupport
