#pragma once
// One simulator run for an end-to-end test: a private instance (its own
// TOVSIM_INSTANCE and XDG_RUNTIME_DIR), a scratch run tree made of a copy of
// the host program and links to the built viewer, sound player and
// AppEntry/, the host started headless in it, and simctl to drive it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/image.h"
#include "platform/win/types.h"
#include "tests/e2e/child_process.h"
#include "tests/platform/win/test_instance.h"

namespace e2e {

class SimRun {
 public:
  SimRun();
  ~SimRun();
  SimRun(const SimRun&) = delete;
  SimRun& operator=(const SimRun&) = delete;

  const std::string& root() const { return root_; }
  // Takes the sound player program out of the run tree.
  void RemoveSoundPlayer();
  void WriteIni(const std::string& text);

  // Starts a companion from the run tree headless, before the host.
  bool StartViewer(ChildProcess* viewer);
  bool StartPlayer(ChildProcess* player);

  // Starts the host with `args` and returns once it takes messages or has
  // ended; `extraEnv` adds to the environment (TOVSIM_HEADLESS=1 is set).
  bool StartHost(const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnv = {});
  // The host's exit code; nullopt when it is still running after a minute.
  std::optional<int> WaitHost() { return host_.Wait(); }
  std::string HostStderr() const { return host_.Stderr(); }
  // Blocks until `done` holds for the host's stderr so far (see ChildProcess).
  bool AwaitHostStderr(const std::function<bool(const std::string&)>& done) {
    return host_.AwaitStderr(done);
  }
  pid_t HostPid() const { return host_.pid(); }

  // Runs simctl with `args` in this instance.
  RunResult Simctl(const std::vector<std::string>& args);
  // simctl screenshot, read back; empty when it failed.
  plat::Image Screenshot();

  // Questions sent straight to the companions by the test itself.
  plat::LRESULT ViewerFrameCount();
  plat::LRESULT PlayerChannel(int channel);

 private:
  plat::testing::TestInstance instance_;
  std::string root_;
  ChildProcess host_;
  int outputs_ = 0;
};

}  // namespace e2e
