#include "tests/support/test_instance.h"

#include <stdlib.h>
#include <unistd.h>

#include <atomic>

#include "platform/sys/program_env.h"

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

void TestInstance::MakeCurrent() const {
  setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
  setenv("TOVSIM_INSTANCE", name_.c_str(), 1);
  plat::ApplyInstanceEnv(plat::ReadProgramEnv());
}

}  // namespace testsupport
