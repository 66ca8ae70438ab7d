#pragma once
// Test helpers: a private instance (its own TOVSIM_INSTANCE and a temporary
// XDG_RUNTIME_DIR, restored afterwards) and a peer program started in it.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace plat::testing {

// Sets an environment variable for one scope (nullopt: unsets it).
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

// A temporary runtime folder and a fresh instance name, for one scope.
class TestInstance {
 public:
  TestInstance();
  ~TestInstance();
  TestInstance(const TestInstance&) = delete;
  TestInstance& operator=(const TestInstance&) = delete;

  const std::string& runtimeDir() const { return runtimeDir_; }
  const std::string& name() const { return name_; }

 private:
  std::string runtimeDir_;
  std::string name_;
  std::optional<ScopedEnv> runtimeEnv_;
  std::optional<ScopedEnv> instanceEnv_;
};

// A program run as a peer. Start returns once the program is ready (its
// first GetMessageA) or has ended; the destructor kills a peer still running.
class PeerProcess {
 public:
  PeerProcess() = default;
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  // `extraEnv` entries ("NAME=value") replace or add to our environment.
  bool Start(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {});
  // Waits for the end; the exit code, or 128 + signal.
  int Wait();
  void Kill();
  bool running() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

}  // namespace plat::testing
