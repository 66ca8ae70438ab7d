#pragma once
// One simulator run for an end-to-end test: a private instance (its own
// TOVSIM_INSTANCE and XDG_RUNTIME_DIR), a scratch run tree made of a copy of
// the host program and links to the built viewer, sound player and
// AppEntry/ and Games/, the host started headless in it, and simctl to drive
// it. Two runs may live side by side: each call makes its own instance the
// current one first.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/image.h"
#include "platform/win/types.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch.h"
#include "tests/support/test_instance.h"

namespace e2e {

using testsupport::ChildProcess;
using testsupport::RunResult;

class SimRun {
 public:
  SimRun();
  ~SimRun();
  SimRun(const SimRun&) = delete;
  SimRun& operator=(const SimRun&) = delete;

  const std::string& root() const { return root_.path(); }
  // Takes the sound player program out of the run tree.
  void RemoveSoundPlayer();
  void WriteIni(const std::string& text);
  // Puts the built Velmor library (dat.lib) into the run tree.
  void AddGameLibrary();

  // Starts the viewer and the sound player from the run tree headless,
  // before the host; viewer() and player() are their processes.
  bool StartCompanions();
  ChildProcess& viewer() { return viewer_; }
  ChildProcess& player() { return player_; }

  // Starts the host with `args` and returns once it takes messages or has
  // ended; `extraEnv` adds to the environment (TOVSIM_HEADLESS=1 is set).
  bool StartHost(const std::vector<std::string>& args = {},
                 const std::vector<std::string>& extraEnv = {});
  // The same, then waits until the host is idle.
  bool StartHostIdle(const std::vector<std::string>& args = {},
                     const std::vector<std::string>& extraEnv = {}) {
    return StartHost(args, extraEnv) && WaitIdle();
  }
  // simctl wait-idle.
  bool WaitIdle() { return Simctl({"wait-idle"}).exitCode == 0; }
  // simctl with `args`, then wait-idle; false when either fails.
  bool Drive(const std::vector<std::string>& args) {
    return Simctl(args).exitCode == 0 && WaitIdle();
  }
  // The host's exit code; nullopt when it is still running after a minute.
  std::optional<int> WaitHost() { return host_.Wait(); }
  std::string HostStderr() const { return host_.Stderr(); }
  // Blocks until `done` holds for the host's stderr so far (see ChildProcess).
  bool AwaitHostStderr(const std::function<bool(const std::string&)>& done) {
    return host_.AwaitStderr(done);
  }
  pid_t HostPid() const { return host_.pid(); }
  // Kills the host as a crash would, then closes the viewer and the sound
  // player it leaves behind. True once the host has gone.
  bool KillHost();

  // Runs simctl with `args` in this instance.
  RunResult Simctl(const std::vector<std::string>& args);
  // simctl screenshot, read back; empty when it failed.
  plat::Image Screenshot();

  // Questions sent straight to the companions by the test itself.
  plat::LRESULT ViewerFrameCount();
  plat::LRESULT PlayerChannel(int channel);

 private:
  testsupport::TestInstance instance_;
  testsupport::ScratchDir root_{"e2e"};
  ChildProcess viewer_;
  ChildProcess player_;
  ChildProcess host_;
  int shots_ = 0;
};

}  // namespace e2e
