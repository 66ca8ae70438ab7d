// The message-box program where no box can be shown: it says so through its
// exit status, so that MessageBoxA falls back to stderr.

#include <gtest/gtest.h>

#include "tests/support/child_process.h"
#include "tests/support/scoped.h"

namespace {

using testsupport::RunToEnd;
using testsupport::ScopedEnv;

TEST(MessageBoxProgramTest, WithoutADisplayNoBoxIsShown) {
  ScopedEnv noDisplay("DISPLAY", std::nullopt);
  ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
  EXPECT_EQ(RunToEnd({MSGBOX_PROGRAM, "4", "caption", "text"}).exitCode, 0);
}

TEST(MessageBoxProgramTest, ABadCommandLineIsNoButton) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {MSGBOX_PROGRAM}, {MSGBOX_PROGRAM, "x", "c", "t"}, {MSGBOX_PROGRAM, "4", "c"}}) {
    EXPECT_EQ(RunToEnd(args).exitCode, 64) << args.size();
  }
  EXPECT_EQ(RunToEnd({MSGBOX_PROGRAM, "--help"}).exitCode, 0);
}

}  // namespace
