// The tovsim program's command line, run as a separate process.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/host_env.h"

namespace {

using testsupport::RunResult;
using testsupport::RunToEnd;

// Its exit code, and stdout and stderr together.
std::pair<int, std::string> RunProgram(std::vector<std::string> args,
                                       const std::string& program = TOVSIM_PROGRAM) {
  args.insert(args.begin(), program);
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

// From a scratch run tree without companions the run cannot start: either
// no Desktop is linked in, or the sound player is missing. Both end with 1.
TEST(ProgramTest, ARunThatCannotStartEndsWithOne) {
  testsupport::HostEnv env;
  std::filesystem::copy_file(TOVSIM_PROGRAM, env.BinPath("tovsim"));
  const auto [code, output] = RunProgram({"--headless"}, env.BinPath("tovsim"));
  EXPECT_EQ(code, 1);
  bool noDesktop = output.find("no Desktop is registered") != std::string::npos;
  bool noPlayer = output.find("Can not call Snd Proc!") != std::string::npos;
  EXPECT_TRUE(noDesktop || noPlayer) << output;
}

}  // namespace
