// The message ring and the services beside it, driven directly.

#include "host/msg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "host/host_reset.h"
#include "platform/sys/clock.h"

namespace {

class MsgRingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(MsgVctInit(), 1);
    MsgRingOpen();
  }
  void TearDown() override { ResetHost(); }

  static Message Take() {
    Message m{};
    EXPECT_EQ(GetMsg(&m), 1);
    return m;
  }
};

void ExpectMessage(const Message& m, uint32_t type, uint32_t wParam, uint32_t lParam) {
  EXPECT_EQ(std::tuple(m.type, m.wParam, m.lParam), std::tuple(type, wParam, lParam));
}

// The ring holds 99: appending to a full ring drops the oldest. The read
// index then lies past the write index, so reading also crosses the wrap.
TEST_F(MsgRingTest, AppendsComeBackInOrderAndAFullRingDropsTheOldest) {
  for (uint32_t i = 0; i < 101; ++i) ASSERT_EQ(QueueMessage(1000 + i, i, ~i), 1);
  for (uint32_t i = 2; i < 101; ++i) {
    ASSERT_EQ(MsgPendingCount(), int(101 - i));
    ExpectMessage(Take(), 1000 + i, i, ~i);
  }
  EXPECT_EQ(MsgPendingCount(), 0);
}

// An F2 key-down comes back after each later Message until the ring is
// cleared; its key-up, like every other key, comes once.
TEST_F(MsgRingTest, F2KeyDownStaysPendingUntilCleared) {
  PostMsg(MsgKeyDown, kKeyF2, 42);
  PostMsg(300, 0, 0);
  ExpectMessage(Take(), MsgKeyDown, kKeyF2, 42);
  PostMsg(301, 0, 0);
  EXPECT_EQ(Take().type, 300u);
  ExpectMessage(Take(), MsgKeyDown, kKeyF2, 42);
  EXPECT_EQ(Take().type, 301u);
  ExpectMessage(Take(), MsgKeyDown, kKeyF2, 42);
  EXPECT_EQ(MsgPendingCount(), 1);
  ClearMsgQueue();
  EXPECT_EQ(MsgPendingCount(), 0);
  PostMsg(MsgKeyUp, kKeyF2, 0);
  PostMsg(MsgKeyDown, kKeyEscape, 0);
  ExpectMessage(Take(), MsgKeyUp, kKeyF2, 0);
  ExpectMessage(Take(), MsgKeyDown, kKeyEscape, 0);
  EXPECT_EQ(MsgPendingCount(), 0);
}

TEST_F(MsgRingTest, WaitKeyOrSecondsStopsAtTheFirstKeyDownOrTakesOneForZero) {
  PostMsg(MsgTimer, 1, 0);
  PostMsg(MsgKeyUp, 13, 0);
  PostMsg(MsgKeyDown, 13, 0);
  PostMsg(600, 0, 0);
  PostMsg(MsgTimer, 1, 0);
  PostMsg(601, 0, 0);
  WaitKeyOrSeconds(1000);
  EXPECT_EQ(Take().type, 600u);
  WaitKeyOrSeconds(0);
  EXPECT_EQ(Take().type, 601u);
}

TEST(MsgServicesTest, DateAndTimeComeFromTheVirtualClock) {
  time_t start;
  ASSERT_TRUE(plat::ParseClockStart("2026-12-05T10:11:12", &start));
  plat::UseVirtualClock(start);
  DateTime t;
  GetDateTime(&t);
  plat::UseRealClock();
  // Years from 1900, months from 0, Saturday is 6, days of the year from 0.
  EXPECT_EQ(std::tuple(t.year, t.month, t.day, t.weekday, t.dayOfYear, t.hour, t.minute, t.second),
            std::tuple(126, 11, 5, 6, 338, 10, 11, 12));
}

TEST(MsgServicesTest, RandomFollowsTheSeedWithinRange) {
  SeedRandom(1);
  // The C library's first number after seed 1.
  EXPECT_EQ(Random(), 16838);
  SeedRandom(12345);
  std::vector<int32_t> first;
  for (int i = 0; i < 1000; ++i) first.push_back(Random());
  SeedRandom(12345);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Random(), first[i]);
  auto [low, high] = std::minmax_element(first.begin(), first.end());
  EXPECT_GE(*low, 0);
  EXPECT_LE(*high, 32767);
  EXPECT_GT(*high - *low, 30000);
}

}  // namespace
