#include "host/snd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/host/host_env.h"

namespace host_test {
namespace {

class SndTest : public ::testing::Test {
 protected:
  SoundRecord Record(std::size_t i) {
    SoundRecord record{};
    EXPECT_EQ(player->copies.at(i).dwData, kSoundCopyData);
    EXPECT_EQ(player->copies.at(i).bytes.size(), 268u);
    std::memcpy(&record, player->copies.at(i).bytes.data(), sizeof record);
    return record;
  }
  HostEnv env;
  std::unique_ptr<FakeCompanion> player = StartFakeSoundPlayer();
};

TEST_F(SndTest, OutOfRangeChannelsAndLoopsSendNothing) {
  PlaySoundCmd(0, 9, 0, "a.wav");
  PlaySoundCmd(0, -1, 0, "a.wav");
  PlaySoundCmd(0, 0, -2, "a.wav");
  EXPECT_TRUE(player->copies.empty());
}

TEST_F(SndTest, PlayingAFileSendsTheFullRecord) {
  PlaySoundCmd(0, 8, -1, "..\\Snd\\声音.mid");
  ASSERT_EQ(player->copies.size(), 1u);
  const SoundRecord record = Record(0);
  EXPECT_EQ(record.op, 0);
  EXPECT_EQ(record.channel, 8);
  EXPECT_EQ(record.loops, -1);
  EXPECT_STREQ(record.path, "..\\Snd\\声音.mid");
  for (std::size_t i = std::strlen(record.path); i < sizeof record.path; ++i) {
    ASSERT_EQ(record.path[i], 0) << i;
  }
}

TEST_F(SndTest, OtherOpsCarryNoPathAndLongPathsAreCut) {
  PlaySoundCmd(1, 1, 0, "ignored.wav");
  PlaySoundCmd(0, 2, 2, std::string(300, 'p').c_str());
  PlaySoundCmd(0, 0, 0, nullptr);
  ASSERT_EQ(player->copies.size(), 3u);
  const SoundRecord stop = Record(0);
  EXPECT_EQ(stop.op, 1);
  EXPECT_EQ(std::string(stop.path, sizeof stop.path), std::string(256, '\0'));
  EXPECT_EQ(std::string(Record(1).path), std::string(255, 'p'));
  EXPECT_EQ(Record(2).path[0], 0);
}

TEST_F(SndTest, WithoutPlayerNothingIsSent) {
  player.reset();
  EXPECT_EQ(SoundSend(0, 0, 0, "a.wav"), 0);
  PlaySoundCmd(0, 0, 0, "a.wav");
}

}  // namespace
}  // namespace host_test
