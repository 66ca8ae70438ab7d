#include "platform/sys/process.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace plat {
namespace {

using testsupport::ScopedCwd;
using testsupport::ScratchDir;
using Words = std::vector<std::string>;

TEST(SplitCommandLineTest, SplitsLikeThePlatform) {
  struct Case {
    const char* line;
    Words words;
  };
  const Case cases[] = {
      {R"(..\Lcd\Lcd.exe 320 240)", {R"(..\Lcd\Lcd.exe)", "320", "240"}},
      {R"("C:\Program Files\Snd.exe" -q)", {R"(C:\Program Files\Snd.exe)", "-q"}},
      {"  p \t a   b  ", {"p", "a", "b"}},
      {R"(p "a b" c)", {"p", "a b", "c"}},
      {R"(p a\b\\c)", {"p", R"(a\b\\c)"}},
      {R"(p a\"b)", {"p", R"(a"b)"}},
      {R"(p a\\"b c")", {"p", R"(a\b c)"}},
      {R"(p a\\\"b)", {"p", R"(a\"b)"}},
      {R"(p "" x)", {"p", "", "x"}},
      {R"(p "a""b" c)", {"p", R"(a"b)", "c"}},
      {R"(p "open to the end)", {"p", "open to the end"}},
      {R"(dir\p\ x)", {R"(dir\p\)", "x"}},
      {R"("a"b c)", {"a", "b", "c"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
  EXPECT_TRUE(SplitCommandLine("").empty());
  EXPECT_TRUE(SplitCommandLine(" \t ").empty());
  EXPECT_TRUE(SplitCommandLine(nullptr).empty());
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Opening the write end blocks until the peer is waiting on the read end,
// and closing it lets the peer end.
void ReleasePeer(const std::string& fifo) {
  int fd = open(fifo.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  close(fd);
}

// A run tree like the host's: the program under Lcd/, started from bin/ (the
// current folder while a test runs).
class WinExecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(tree.path().empty());
    std::filesystem::create_directories(tree / "bin");
    std::filesystem::create_directories(tree / "Lcd");
    std::filesystem::create_symlink(SYS_PEER, tree / "Lcd/Lcd");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    cwd.emplace(tree / "bin");
  }

  ScratchDir tree;
  std::string fifo = tree / "release";
  std::string report = tree / "report";
  std::optional<ScopedCwd> cwd;
};

TEST_F(WinExecTest, ReturnsOnceTheProgramIsReadyAndPassesArgumentsAndShowMode) {
  std::string line = R"(..\Lcd\Lcd.exe ready ../report ../release 320 "two words")";
  EXPECT_EQ(WinExec(line.c_str(), SW_HIDE), WINEXEC_STARTED);
  // Arguments reach the program as written; only the program path is
  // translated. The report is written before the peer says it is ready, and the peer is
  // still running: it now waits for the release.
  ASSERT_EQ(ReadLines(report), (Words{"0", "320", "two words"}));
  ReleasePeer(fifo);

  // A FIFO of its own for the second program: the first may still hold the
  // first one open, and a release meant for the second would reach it.
  std::filesystem::remove(report);
  std::string fifo2 = tree / "release2";
  ASSERT_EQ(mkfifo(fifo2.c_str(), 0600), 0);
  line = R"(..\Lcd\Lcd.EXE ready ../report ../release2)";
  EXPECT_EQ(WinExec(line.c_str(), SW_SHOW), WINEXEC_STARTED);
  ASSERT_EQ(ReadLines(report), Words{"5"});
  ReleasePeer(fifo2);
}

TEST_F(WinExecTest, ReturnsWhenTheProgramExitsWithoutBeingReady) {
  EXPECT_EQ(WinExec(R"(..\Lcd\Lcd.exe exit)", SW_SHOWNORMAL), WINEXEC_STARTED);
}

TEST_F(WinExecTest, ReturnsWhenTheProgramExitsWhileItsChildHoldsTheChannel) {
  EXPECT_EQ(WinExec(R"(..\Lcd\Lcd.exe fork-hold ../release)", SW_SHOWNORMAL), WINEXEC_STARTED);
  ReleasePeer(fifo);
}

TEST_F(WinExecTest, MissingProgramsFailAtOnce) {
  EXPECT_EQ(WinExec(R"(..\Lcd\Missing.exe 320 240)", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec(R"(..\Nowhere\Lcd.exe)", SW_SHOW), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(WinExec("Lcd.exe", SW_SHOW), ERROR_FILE_NOT_FOUND) << "only the current folder is searched";
  EXPECT_EQ(WinExec("", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec(nullptr, SW_SHOW), ERROR_FILE_NOT_FOUND);
}

TEST_F(WinExecTest, FoldersAndFilesThatAreNoProgramsAreRefused) {
  std::ofstream(tree / "Lcd/text") << "not a program\n";
  std::ofstream(tree / "Lcd/plain") << "#!/bin/sh\n";
  std::filesystem::permissions(tree / "Lcd/text", std::filesystem::perms::owner_all);
  EXPECT_EQ(WinExec(R"(..\Lcd\text)", SW_SHOW), ERROR_BAD_FORMAT);
  EXPECT_EQ(WinExec(R"(..\Lcd\plain)", SW_SHOW), ERROR_ACCESS_DENIED) << "not executable";
  EXPECT_EQ(WinExec(R"(..\Lcd)", SW_SHOW), ERROR_ACCESS_DENIED) << "a folder";
}

TEST(NotifyParentReadyTest, WithoutAStarterDoesNothing) {
  NotifyParentReady();
  NotifyParentReady();
  EXPECT_EQ(StartShowMode(), SW_SHOWNORMAL);
}

TEST(ModuleFileNameTest, NamesTheRunningProgramAndCutsToTheBuffer) {
  char path[4096];
  unsigned length = GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(path[0], '/');
  EXPECT_EQ(std::filesystem::path(path).filename(), "process_test");

  char small[8];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
  EXPECT_EQ(std::string(small), std::string(path, 7));
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, 0), 0u);
}

}  // namespace
}  // namespace plat
