#include "tools/simctl/window_list.h"

#include <gtest/gtest.h>

namespace simctl {
namespace {

TEST(WindowNameTest, DecodesClassAndTitle) {
  std::string className, title;
  ASSERT_TRUE(DecodeWindowName("53696d436c617373.53696d", &className, &title));
  EXPECT_EQ(className, "SimClass");
  EXPECT_EQ(title, "Sim");
  ASSERT_TRUE(DecodeWindowName("41.", &className, &title));
  EXPECT_EQ(title, "");
  for (const char* bad : {"53696d", "5.41", "4g.41", "41.4"}) {
    EXPECT_FALSE(DecodeWindowName(bad, &className, &title)) << bad;
  }
}

}  // namespace
}  // namespace simctl
