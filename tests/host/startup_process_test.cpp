// Start-up as a process: the host runs from a scratch run tree whose
// ../Snd/Snd and ../Lcd/Lcd are scripts that only log that they were
// started, while stand-in companion windows live in this process. (A full
// run with both companions, and the order they are closed in, is tried in
// process, in host_main_test, and end to end.)

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace {

using namespace testsupport;

class StartupProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(HOST_PROBE, env.BinPath("host_probe"));
    for (const char* tag : {"Snd", "Lcd"}) {
      const std::string program = env.RootPath(std::string(tag) + "/" + tag);
      WriteFile(program, "#!/bin/sh\necho " + std::string(tag) + " \"$@\" >> '" +
                             env.RootPath("started.log") + "'\n");
      std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    }
  }

  // Runs the host from bin/.
  RunResult RunHost() {
    return RunToEnd({env.BinPath("host_probe")}, {{}, env.BinPath(""), false});
  }
  std::string StartedLog() const { return ReadFile(env.RootPath("started.log")); }

  HostEnv env;
};

TEST_F(StartupProcessTest, AMissingSoundPlayerIsStartedOnceAndNothingElse) {
  const RunResult run = RunHost();
  EXPECT_EQ(run.exitCode, 1);
  // The script ends without a window: the host gives up after one start.
  EXPECT_EQ(StartedLog(), "Snd\n");
  EXPECT_NE(run.err.find("Can not call Snd Proc!"), std::string::npos) << run.err;
}

TEST_F(StartupProcessTest, ARunningSoundPlayerIsNotStartedAgain) {
  const auto player = StandinCompanion::SoundPlayer();
  const RunResult run = RunHost();
  EXPECT_EQ(run.exitCode, 1);
  // Only the viewer was started, with the screen's size, and it did not come.
  EXPECT_EQ(StartedLog(), "Lcd 320 240\n");
  EXPECT_NE(run.err.find("LCD VCT initialize error!"), std::string::npos) << run.err;
}

}  // namespace
