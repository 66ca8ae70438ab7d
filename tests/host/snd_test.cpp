#include "host/snd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace {

using namespace testsupport;

class SndTest : public ::testing::Test {
 protected:
  std::vector<SoundRecord> Sent() const { return player->Records<SoundRecord>(kSoundCopyData); }

  HostEnv env;
  std::unique_ptr<StandinCompanion> player = StandinCompanion::SoundPlayer();
};

TEST_F(SndTest, OutOfRangeChannelsAndLoopsSendNothing) {
  PlaySoundCmd(0, 9, 0, "a.wav");
  PlaySoundCmd(0, -1, 0, "a.wav");
  PlaySoundCmd(0, 0, -2, "a.wav");
  EXPECT_TRUE(player->Log().empty());
}

TEST_F(SndTest, PlayingAFileSendsTheFullRecord) {
  PlaySoundCmd(0, 8, -1, "..\\Snd\\声音.mid");
  const std::vector<SoundRecord> sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  const SoundRecord& record = sent[0];
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
  const std::vector<SoundRecord> sent = Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].op, 1);
  EXPECT_EQ(std::string(sent[0].path, sizeof sent[0].path), std::string(256, '\0'));
  EXPECT_EQ(std::string(sent[1].path), std::string(255, 'p'));
  EXPECT_EQ(sent[2].path[0], 0);
}

}  // namespace
