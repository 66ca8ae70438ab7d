// The message-box program where no box can be shown: it says so through its
// exit status, so that MessageBoxA falls back to stderr.

#include <gtest/gtest.h>

#include "tests/platform/sys/scratch.h"

namespace {

using plat::testing::RunToEnd;
using plat::testing::ScopedEnv;

TEST(MessageBoxProgramTest, WithoutADisplayNoBoxIsShown) {
  ScopedEnv noDisplay("DISPLAY", std::nullopt);
  ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
  EXPECT_EQ(RunToEnd({MSGBOX_PROGRAM, "4", "caption", "text"}), 0);
}

TEST(MessageBoxProgramTest, ABadCommandLineIsNoButton) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {MSGBOX_PROGRAM}, {MSGBOX_PROGRAM, "x", "c", "t"}, {MSGBOX_PROGRAM, "4", "c"}}) {
    EXPECT_EQ(RunToEnd(args), 64) << args.size();
  }
  EXPECT_EQ(RunToEnd({MSGBOX_PROGRAM, "--help"}), 0);
}

}  // namespace
