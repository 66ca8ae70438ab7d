#pragma once
// Changes to the process that a test makes for one scope and that are undone
// at its end: an environment variable and the current folder.

#include <filesystem>
#include <optional>
#include <string>

namespace testsupport {

// Sets `name` to `value` (nullopt: removes it) until the end of the scope.
// The platform is given the instance's name and runtime folder again at
// both ends, so that TOVSIM_INSTANCE and XDG_RUNTIME_DIR take effect in this
// process as well as in the programs it starts.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

// Makes `folder` the current folder until the end of the scope.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& folder);
  ~ScopedCwd();
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::filesystem::path saved_;
};

}  // namespace testsupport
