// The tovsim program's command line. (A run that cannot start for want of
// the sound player is in startup_test.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace {

using testsupport::RunResult;
using testsupport::RunToEnd;

// Its exit code, and stdout and stderr together.
std::pair<int, std::string> RunProgram(std::vector<std::string> args) {
  args.insert(args.begin(), TOVSIM_PROGRAM);
  const RunResult run = RunToEnd(args);
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

}  // namespace
