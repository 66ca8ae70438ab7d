#pragma once
// A program started by an end-to-end test: its output kept in files, its
// readiness and its end awaited with generous safety time-outs, and killed
// if the test leaves it running.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `args` with our environment plus `extraEnv` ("NAME=value"), stdout
  // and stderr into `outputPrefix`.out / .err. With `awaitReady`, returns
  // once the program took its first message (or ended).
  bool Start(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
             const std::string& outputPrefix, bool awaitReady);
  // The exit code (128 + signal for a kill); nullopt when it did not end in
  // `timeoutMs` of real time.
  std::optional<int> Wait(int timeoutMs = 60000);
  std::string Stdout() const;
  std::string Stderr() const;
  // Blocks until `done` holds for the stderr written so far (checked again at
  // each write); false when it still does not after `timeoutMs`.
  bool AwaitStderr(const std::function<bool(const std::string&)>& done, int timeoutMs = 60000);
  // The process id while it runs (not yet waited for), else -1.
  pid_t pid() const { return pid_; }

 private:
  void Kill();

  pid_t pid_ = -1;
  int pidFd_ = -1;
  std::string outputPrefix_;
};

// Runs a program to its end: its exit code and stdout.
struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
RunResult RunToEnd(const std::vector<std::string>& args, const std::string& outputPrefix);

}  // namespace e2e
