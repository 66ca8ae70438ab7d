#include "tests/support/scoped.h"

#include <stdlib.h>

#include "platform/sys/program_env.h"

namespace testsupport {

namespace {

// Sets or removes `name`, then hands the instance's name and runtime folder
// to the platform again, as a program's main does once: the platform reads
// no environment itself.
void SetOrRemove(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
  plat::ApplyInstanceEnv(plat::ReadProgramEnv());
}

}  // namespace

ScopedEnv::ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
  if (const char* old = getenv(name)) saved_ = old;
  SetOrRemove(name, value);
}

ScopedEnv::~ScopedEnv() { SetOrRemove(name_.c_str(), saved_); }

ScopedCwd::ScopedCwd(const std::string& folder) : saved_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

ScopedCwd::~ScopedCwd() {
  std::error_code ignored;
  std::filesystem::current_path(saved_, ignored);
}

}  // namespace testsupport
