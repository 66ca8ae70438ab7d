// The tovsim program's command line, run as a separate process.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/host/host_env.h"

namespace {

struct ProgramRun {
  int exitCode;
  std::string output;  // stdout and stderr together
};

ProgramRun RunProgram(const std::string& arguments, const std::string& program = TOVSIM_PROGRAM) {
  std::string command = "'" + program + "' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ProgramRun run{-1, {}};
  if (!pipe) return run;
  char buffer[512];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ProgramTest, HelpAndListExitWithZero) {
  ProgramRun help = RunProgram("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--app NAME"), std::string::npos);
  EXPECT_NE(help.output.find("--headless"), std::string::npos);
  EXPECT_EQ(RunProgram("--list-apps").exitCode, 0);
}

TEST(ProgramTest, ABadCommandLineExitsWithTwo) {
  ProgramRun unknown = RunProgram("--frobnicate");
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.output.find("--frobnicate"), std::string::npos);
  EXPECT_EQ(RunProgram("--app").exitCode, 2);
  ProgramRun missing = RunProgram("--app no-such-app");
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.output.find("no-such-app"), std::string::npos);
}

// From a scratch run tree without companions the run cannot start: either
// no Desktop is linked in, or the sound player is missing. Both end with 1.
TEST(ProgramTest, ARunThatCannotStartEndsWithOne) {
  host_test::HostEnv env;
  std::filesystem::copy_file(TOVSIM_PROGRAM, env.BinPath("tovsim"));
  ProgramRun run = RunProgram("--headless", env.BinPath("tovsim"));
  EXPECT_EQ(run.exitCode, 1);
  bool noDesktop = run.output.find("no Desktop is registered") != std::string::npos;
  bool noPlayer = run.output.find("Can not call Snd Proc!") != std::string::npos;
  EXPECT_TRUE(noDesktop || noPlayer) << run.output;
}

}  // namespace
