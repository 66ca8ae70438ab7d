// The tovsim program's command line. (A run that cannot start for want of
// the sound player is in startup_test.)

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/sys/version.h"
#include "tests/support/child_process.h"

namespace {

using testsupport::ProcessOptions;
using testsupport::RunResult;
using testsupport::RunToEnd;

// Its exit code, and stdout and stderr together.
std::pair<int, std::string> RunProgram(std::vector<std::string> args,
                                       const ProcessOptions& options = {}) {
  args.insert(args.begin(), TOVSIM_PROGRAM);
  const RunResult run = RunToEnd(args, options);
  return {run.exitCode, run.out + run.err};
}

TEST(ProgramTest, HelpAndListExitWithZero) {
  const auto [code, output] = RunProgram({"--help"});
  EXPECT_EQ(code, 0);
  EXPECT_NE(output.find("--app NAME"), std::string::npos);
  EXPECT_NE(output.find("--headless"), std::string::npos);
  EXPECT_EQ(RunProgram({"--list-apps"}).first, 0);
}

TEST(ProgramTest, ABadCommandLineExitsWithTwoNamingTheWord) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--frobnicate"}, {"--app"}, {"--app", "no-such-app"}}) {
    const auto [code, output] = RunProgram(args);
    EXPECT_EQ(code, 2) << args.back();
    EXPECT_NE(output.find(args.back()), std::string::npos) << output;
  }
}

TEST(ProgramTest, EveryProgramPrintsTheProjectVersion) {
  EXPECT_STREQ(plat::ProjectVersion(), EXPECTED_VERSION);
  std::istringstream paths(VERSIONED_PROGRAMS);
  std::string path;
  int programs = 0;
  while (std::getline(paths, path, ':')) {
    const RunResult run = RunToEnd({path, "--version"});
    const std::string name = path.substr(path.find_last_of('/') + 1);
    EXPECT_EQ(run.exitCode, 0) << path;
    EXPECT_EQ(run.out, name + " " + EXPECTED_VERSION + "\n") << path;
    ++programs;
  }
  EXPECT_GE(programs, 5);
}

// Without a display a run that would show windows stops and says what to do
// instead; asked to run headless, it is not stopped by that.
TEST(ProgramTest, WithoutADisplayItSuggestsHeadlessOrXvfb) {
  ProcessOptions noDisplay;
  noDisplay.env = {"DISPLAY=", "WAYLAND_DISPLAY=", "TOVSIM_HEADLESS="};
  const auto [code, output] = RunProgram({"--app", "testapp"}, noDisplay);
  EXPECT_EQ(code, 1);
  EXPECT_NE(output.find("no display"), std::string::npos) << output;
  EXPECT_NE(output.find("--headless"), std::string::npos) << output;
  EXPECT_NE(output.find("xvfb-run"), std::string::npos) << output;
  EXPECT_EQ(RunProgram({"--help"}, noDisplay).first, 0);
}

}  // namespace
