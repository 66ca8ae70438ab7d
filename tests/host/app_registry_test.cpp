// The table of application entries.

#include "host/app_registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

void First() {}
void Second() {}

TEST(AppRegistryTest, EntriesAreFoundByNameListedInNameOrderAndNeverReplaced) {
  std::size_t before = AppCount();
  ASSERT_TRUE(RegisterApp("zz-test-second", "Second", Second));
  ASSERT_TRUE(RegisterApp("aa-test-first", nullptr, First));
  EXPECT_EQ(AppCount(), before + 2);

  const AppEntry* first = FindApp("aa-test-first");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->entry, &First);
  EXPECT_STREQ(first->title, "");
  EXPECT_EQ(FindApp("zz-test-second")->entry, &Second);
  EXPECT_EQ(FindApp("missing"), nullptr);
  EXPECT_EQ(FindApp(nullptr), nullptr);

  for (std::size_t i = 1; i < AppCount(); ++i) {
    EXPECT_LT(std::string(AppAt(i - 1)->name), std::string(AppAt(i)->name));
  }
  EXPECT_EQ(AppAt(AppCount()), nullptr);

  // Duplicates and incomplete entries are refused.
  EXPECT_FALSE(RegisterApp("aa-test-first", "Two", Second));
  EXPECT_EQ(FindApp("aa-test-first")->entry, &First);
  EXPECT_FALSE(RegisterApp(nullptr, "x", First));
  EXPECT_FALSE(RegisterApp("", "x", First));
  EXPECT_FALSE(RegisterApp("no-entry", "x", nullptr));
  EXPECT_EQ(FindApp("no-entry"), nullptr);
  EXPECT_EQ(AppCount(), before + 2);
}

TEST(AppRegistryTest, AFullTableRefusesMore) {
  static char names[kMaxApps][32];
  for (unsigned i = 0; AppCount() < kMaxApps && i < kMaxApps; ++i) {
    std::snprintf(names[i], sizeof names[i], "fill-%02u", i);
    ASSERT_TRUE(RegisterApp(names[i], "", First));
  }
  EXPECT_FALSE(RegisterApp("one-more", "", First));
  EXPECT_EQ(FindApp("one-more"), nullptr);
  EXPECT_EQ(AppCount(), kMaxApps);
}

}  // namespace
