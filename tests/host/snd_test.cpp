#include "host/snd.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

TEST_F(SndTest, PlayingAFileSendsTheFullRecord) {
  const std::string path = "..\\Snd\\声音.mid";
  PlaySoundCmd(0, 8, -1, path.c_str());
  const std::vector<SoundRecord> sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(std::tuple(sent[0].op, sent[0].channel, sent[0].loops), std::tuple(0, 8, -1));
  // The rest of the path field is zeros.
  EXPECT_EQ(std::string(sent[0].path, sizeof sent[0].path),
            path + std::string(sizeof sent[0].path - path.size(), '\0'));
}

TEST_F(SndTest, OtherOpsCarryNoPathLongPathsAreCutAndBadChannelsOrLoopsSendNothing) {
  PlaySoundCmd(0, 9, 0, "a.wav");
  PlaySoundCmd(0, -1, 0, "a.wav");
  PlaySoundCmd(0, 0, -2, "a.wav");
  PlaySoundCmd(1, 1, 0, "ignored.wav");
  PlaySoundCmd(0, 2, 2, std::string(300, 'p').c_str());
  PlaySoundCmd(0, 0, 0, nullptr);
  const std::vector<SoundRecord> sent = Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(player->Log().size(), 3u);
  EXPECT_EQ(sent[0].op, 1);
  EXPECT_EQ(std::string(sent[0].path, sizeof sent[0].path), std::string(256, '\0'));
  EXPECT_EQ(std::string(sent[1].path), std::string(255, 'p'));
  EXPECT_EQ(sent[2].path[0], 0);
}

}  // namespace
