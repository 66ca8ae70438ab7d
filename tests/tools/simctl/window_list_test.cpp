#include "tools/simctl/window_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/test_instance.h"
#include "tests/support/window_thread.h"

namespace simctl {
namespace {

TEST(WindowListTest, ShowsShortAndLongNamesOfLiveWindows) {
  testsupport::TestInstance instance;
  const std::string longTitle(120, 'T');  // too long for a socket path: hashed
  std::optional<testsupport::WindowThread> shortOne;
  shortOne.emplace(nullptr, "Short", "ShortClass");
  testsupport::WindowThread longOne(nullptr, longTitle, "LongClass");
  ASSERT_NE(shortOne->hwnd(), nullptr);
  ASSERT_NE(longOne.hwnd(), nullptr);

  std::vector<InstanceWindow> windows = ListWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[0].className, "LongClass");
  EXPECT_EQ(windows[0].title, longTitle);
  EXPECT_EQ(windows[0].socketName[0], 'h');
  EXPECT_EQ(windows[1].className, "ShortClass");
  EXPECT_EQ(windows[1].title, "Short");

  shortOne.reset();
  windows = ListWindows();
  ASSERT_EQ(windows.size(), 1u) << "a closed window is not listed";
  EXPECT_EQ(windows[0].title, longTitle);
}

}  // namespace
}  // namespace simctl
