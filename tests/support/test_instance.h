#pragma once
// A private instance for one scope: its own TOVSIM_INSTANCE name and a
// temporary XDG_RUNTIME_DIR, so that windows, shared blocks and programs
// started by the test meet nobody else's. Both are restored at the end.

#include <string>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace testsupport {

class TestInstance {
 public:
  TestInstance();
  TestInstance(const TestInstance&) = delete;
  TestInstance& operator=(const TestInstance&) = delete;

  const std::string& runtimeDir() const { return runtime_.path(); }
  const std::string& name() const { return name_; }
  // Makes this instance the one the environment and the platform name
  // again, for a test that drives two instances in turn.
  void MakeCurrent() const;

 private:
  ScratchDir runtime_;
  std::string name_;
  ScopedEnv runtimeEnv_;
  ScopedEnv instanceEnv_;
};

}  // namespace testsupport
