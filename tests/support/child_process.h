#pragma once
// A program a test starts: our environment plus the test's additions, its
// stdout and stderr kept in files of its own, its readiness and its end
// awaited with generous safety time-outs, and killed if the test leaves it
// running.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/scratch.h"

namespace testsupport {

// Far above any run time seen: a wait that reaches it is a failure, not a
// guess at how long something takes.
inline constexpr int kSafetyTimeoutMs = 60000;

struct ProcessOptions {
  std::vector<std::string> env;  // "NAME=value", added to or replacing ours
  std::string workingDir;        // empty: ours
  // Start returns once the program took its first message (it was started
  // with TOVSIM_READY_FD), or ended.
  bool awaitReady = false;
};

// Options that await readiness, with `env` added to the environment.
inline ProcessOptions AwaitReady(std::vector<std::string> env = {}) {
  return {std::move(env), {}, true};
}

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // args[0] is the program's path. False when it could not be started, or
  // did not get ready within the safety time-out.
  bool Start(const std::vector<std::string>& args, const ProcessOptions& options = {});
  // The exit code, or 128 + the signal that ended it; nullopt when it did
  // not end within `timeoutMs` of real time or was not started.
  std::optional<int> Wait(int timeoutMs = kSafetyTimeoutMs);
  void Kill();
  std::string Stdout() const;
  std::string Stderr() const;
  // Blocks until `done` holds for the stderr written so far (checked again
  // at each write); false when it still does not after `timeoutMs`.
  bool AwaitStderr(const std::function<bool(const std::string&)>& done,
                   int timeoutMs = kSafetyTimeoutMs);
  // The process id until it was waited for, else -1.
  pid_t pid() const { return pid_; }
  bool running() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int pidFd_ = -1;
  ScratchDir output_{"out"};
};

struct RunResult {
  int exitCode = -1;  // -1 when it could not be started or did not end
  std::string out;
  std::string err;
};

// Runs a program to its end.
RunResult RunToEnd(const std::vector<std::string>& args, const ProcessOptions& options = {});

}  // namespace testsupport
