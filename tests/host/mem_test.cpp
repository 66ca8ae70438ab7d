#include "host/mem.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/host_env.h"

namespace {

using namespace testsupport;

class MemTest : public ::testing::Test {
 protected:
  // Starts the pool with the given ..\Sim.ini (none when empty).
  void Start(const std::string& ini = {}) {
    if (!ini.empty()) env.WriteIni(ini);
    ASSERT_EQ(MemVctInit(), 1);
  }
  void TearDown() override {
    if (MemLiveBlocks() == 0) MemVctRelease();
  }
  HostEnv env;
};

TEST_F(MemTest, ThePoolRefusesWhatWouldReachItsCapacity) {
  Start("[MEM]\nmemstack=1000\n");
  void* first = MemAlloc(600);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(MemAlloc(600), nullptr);
  EXPECT_EQ(MemAlloc(400), nullptr);  // 1000 would reach the capacity
  MemFree(first);
  void* again = MemAlloc(600);
  void* rest = MemAlloc(399);
  ASSERT_TRUE(again && rest);
  EXPECT_EQ(MemAllocatedBytes(), 999u);
  MemFree(again);
  MemFree(rest);
  EXPECT_TRUE(MessageBoxTexts().empty());
}

TEST_F(MemTest, DefaultCapacityIs64MegabytesAndHugeRequestsDoNotWrap) {
  Start();
  EXPECT_EQ(MemVctSettings().memstack, 67108864u);
  EXPECT_EQ(MemAlloc(67108864), nullptr);
  void* small = MemAlloc(100);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(MemAlloc(0xFFFFFFF0u), nullptr);
  EXPECT_EQ(MemAllocatedBytes(), 100u);
  MemFree(small);
  void* big = MemAlloc(67108863);
  EXPECT_NE(big, nullptr);
  MemFree(big);
}

TEST_F(MemTest, FreeingAForeignBlockOrTwiceReportsAndKeepsTheTable) {
  Start();
  void* mine = MemAlloc(16);
  void* foreign = std::malloc(16);
  MemFree(foreign);
  EXPECT_EQ(MessageBoxTexts(), std::vector<std::string>{"MEM VCT release memory error!"});
  EXPECT_EQ(MemLiveBlocks(), 1);
  std::free(foreign);

  MemFree(mine);
  EXPECT_EQ(MemLiveBlocks(), 0);
  MemFree(mine);
  EXPECT_EQ(MessageBoxTexts().size(), 2u);
  EXPECT_EQ(MemAllocatedBytes(), 0u);
}

TEST_F(MemTest, TheTableHoldsAtMost32768Blocks) {
  Start();
  std::vector<void*> blocks;
  for (int i = 0; i < kMaxLiveBlocks; ++i) {
    blocks.push_back(MemAlloc(1));
    ASSERT_NE(blocks.back(), nullptr) << i;
  }
  EXPECT_EQ(MemAlloc(1), nullptr);
  // Freeing fills the slot with the last entry: free the first block, then
  // always the one that moved into slot 0, so every search ends at once.
  MemFree(blocks[0]);
  for (std::size_t i = blocks.size() - 1; i >= 1; --i) MemFree(blocks[i]);
  EXPECT_EQ(MemLiveBlocks(), 0);
  EXPECT_TRUE(MessageBoxTexts().empty());
}

TEST_F(MemTest, ReleaseReportsBlocksStillLive) {
  Start();
  void* kept = MemAlloc(8);
  EXPECT_EQ(MemVctRelease(), 0);
  EXPECT_EQ(MessageBoxTexts(), std::vector<std::string>{"MEM VCT has res leak!"});
  std::free(kept);  // the host leaves it to the end of the process
  // A pool that was released allocates nothing and frees nothing.
  EXPECT_EQ(MemAlloc(8), nullptr);
  ASSERT_EQ(MemVctInit(), 1);
  EXPECT_EQ(MemLiveBlocks(), 0);
  EXPECT_EQ(MemVctRelease(), 1);
}

TEST(MemBytesTest, CopyRunsFromFirstToLastByte) {
  char buffer[] = "abcdef";
  EXPECT_EQ(MemCopy(buffer, buffer + 1, 4), buffer);
  EXPECT_STREQ(buffer, "bcdeef");
  std::strcpy(buffer, "abcdef");
  MemCopy(buffer + 1, buffer, 4);
  EXPECT_STREQ(buffer, "aaaaaf");
  MemFill(buffer, 0x1234, 3);
  EXPECT_STREQ(buffer, "444aaf");
}

TEST(MemStringTest, StringCallsCountAndCompareBytes) {
  char buffer[32];
  EXPECT_EQ(StrCpy(buffer, "ab"), buffer);
  EXPECT_EQ(StrCat(buffer, "中c"), buffer);
  EXPECT_EQ(StrLen(buffer), 5u);
  EXPECT_EQ(StrCmp("abc", "abd"), -1);
  EXPECT_EQ(StrCmp("abd", "abc"), 1);
  EXPECT_EQ(StrCmp("abc", "abc"), 0);
  EXPECT_EQ(StrCmp("\xB0", "z"), 1);
  EXPECT_EQ(StrCmp("ab", "abc"), -1);
}

TEST(MemStringTest, IntToStrSignsOnlyInBaseTen) {
  char buffer[40];
  EXPECT_STREQ(IntToStr(255, buffer, 16), "ff");
  EXPECT_STREQ(IntToStr(-1, buffer, 16), "ffffffff");
  EXPECT_STREQ(IntToStr(-1, buffer, 2), std::string(32, '1').c_str());
  EXPECT_STREQ(IntToStr(-255, buffer, 10), "-255");
  EXPECT_STREQ(IntToStr(INT_MIN, buffer, 10), "-2147483648");
  EXPECT_STREQ(IntToStr(0, buffer, 8), "0");
  EXPECT_STREQ(IntToStr(71, buffer, 36), "1z");
  EXPECT_STREQ(IntToStr(5, buffer, 1), "");
  EXPECT_STREQ(IntToStr(5, buffer, 37), "");
}

}  // namespace
