// Start-up as a process: the host runs from a scratch run tree whose
// ../Snd/Snd and ../Lcd/Lcd are scripts that only log that they were
// started, while stand-in companion windows live in this process.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "protocol/windows.h"
#include "tests/host/host_env.h"
#include "tests/host/standin_companion.h"

namespace {

using host_test::StandinCompanion;
using host_test::StandinLog;

class StartupProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StandinLog::Clear();
    namespace fs = std::filesystem;
    fs::copy_file(HOST_PROBE, env.BinPath("host_probe"));
    WriteLoggingProgram("Snd/Snd", "snd");
    WriteLoggingProgram("Lcd/Lcd", "lcd");
  }

  void WriteLoggingProgram(const std::string& path, const std::string& tag) {
    std::string file = env.RootPath(path);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file) << "#!/bin/sh\necho " << tag << " \"$@\" >> '" << env.RootPath("started.log")
                        << "'\n";
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  }

  // Runs the host from bin/; its exit code and what it wrote.
  int RunHost(std::string* output) {
    std::string command = "cd '" + env.BinPath("") + "' && ./host_probe 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output->append(buffer, n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string StartedLog() {
    std::ifstream in(env.RootPath("started.log"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  host_test::HostEnv env;
};

TEST_F(StartupProcessTest, AMissingSoundPlayerIsStartedOnceAndNothingElse) {
  std::string output;
  EXPECT_EQ(RunHost(&output), 1);
  // The script ends without a window: the host gives up after one start.
  EXPECT_EQ(StartedLog(), "snd\n");
  EXPECT_NE(output.find("Can not call Snd Proc!"), std::string::npos) << output;
}

TEST_F(StartupProcessTest, ARunningSoundPlayerIsNotStartedAgain) {
  StandinCompanion player(kSndClass, kSndTitle);
  std::string output;
  EXPECT_EQ(RunHost(&output), 1);
  // Only the viewer was started, with the screen's size, and it did not come.
  EXPECT_EQ(StartedLog(), "lcd 320 240\n");
  EXPECT_NE(output.find("LCD VCT initialize error!"), std::string::npos) << output;
}

TEST_F(StartupProcessTest, AFullRunStartsNothingAndClosesViewerThenPlayer) {
  StandinCompanion viewer(kLcdClass, kLcdTitle);
  StandinCompanion player(kSndClass, kSndTitle);
  std::string output;
  EXPECT_EQ(RunHost(&output), 0) << output;
  EXPECT_EQ(StartedLog(), "");
  EXPECT_EQ(StandinLog::Closes(), (std::vector<std::string>{kLcdTitle, kSndTitle}));
}

}  // namespace
