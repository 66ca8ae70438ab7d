// The pairs game hosting in the whole host on the held virtual clock: a raw
// peer in the test's hands plays the joined machine: it asks for the board,
// sends blocks bad and good, leaves, and a second peer joins. Play between
// two whole simulators is the end-to-end test's.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "games/pairs/pairs.h"
#include "host/device_api.h"
#include "tests/support/host_runner.h"
#include "tests/support/net_peer.h"

namespace {

using namespace pairs;
using testsupport::HostRun;

std::vector<uint8_t> Block(const Packet& packet) {
  return std::vector<uint8_t>(packet.bytes, packet.bytes + packet.size);
}

class PairsAppTest : public ::testing::Test {
 protected:
  void SetUp() override { SetNetPort(port_); }

  // Hosting "g"; the game dealt once the dialog's five seconds are over.
  void Host() {
    run_.KeyDown(kKeyEnter);
    run_.PostAll({{MsgChar, 'g', 0}, {MsgKeyDown, kKeyEnter, 0}});
    run_.Advance(5000);
    ASSERT_EQ(GetPairsState().role, kHosting);
  }
  // A peer that joined and asked for the board: the board it got.
  std::vector<uint8_t> JoinAndRequest(testsupport::RawPeer& peer) {
    EXPECT_TRUE(peer.Connect(port_));
    EXPECT_TRUE(peer.Handshake());
    Send(peer, Block(EncodeRequest()));
    const auto frame = peer.ReadFrame();
    return frame ? frame->payload : std::vector<uint8_t>{};
  }
  void Send(testsupport::RawPeer& peer, const std::vector<uint8_t>& block) {
    ASSERT_TRUE(peer.Send(plat::net::EncodeData(block)));
    ASSERT_TRUE(testsupport::WaitIdle());
  }

  const uint16_t port_ = testsupport::FreePort();
  HostRun run_{testsupport::ThenWait<PairsMain>};
};

TEST_F(PairsAppTest, HostingServesTheBoardAndIgnoresBlocksNotForAHostOrNotWellMade) {
  ASSERT_NO_FATAL_FAILURE(Host());
  testsupport::RawPeer peer;
  EXPECT_EQ(JoinAndRequest(peer), Block(EncodeBoard(GetPairsState())));
  EXPECT_EQ(GetPairsState().started, 1);

  const PairsState before = GetPairsState();
  PairsState turned = before;
  ApplyPick(turned, {0, 0});
  Send(peer, Block(EncodeClock(99)));
  Send(peer, Block(EncodeBoard(turned)));
  Send(peer, {1, 3, 3});
  EXPECT_EQ(std::memcmp(GetPairsState().board, before.board, kCells), 0);
  EXPECT_EQ(GetPairsState().turned, 0);
  EXPECT_EQ(GetPairsState().clock, before.clock);
  // A good pick after them is taken.
  Send(peer, Block(EncodePick({0, 0})));
  EXPECT_EQ(GetPairsState().turned, 1);
}

TEST_F(PairsAppTest, TheHostPlaysOnWhenItsPeerLeavesAndServesTheNext) {
  ASSERT_NO_FATAL_FAILURE(Host());
  {
    testsupport::RawPeer first;
    EXPECT_EQ(JoinAndRequest(first).size(), kBoardSize);
  }
  ASSERT_TRUE(testsupport::WaitIdle());
  run_.Click(CellX(0) + 16, CellY(0) + 16);
  EXPECT_EQ(GetPairsState().turned, 1);
  // A new peer asks again: the board has the card turned.
  testsupport::RawPeer second;
  const std::vector<uint8_t> board = JoinAndRequest(second);
  EXPECT_EQ(board, Block(EncodeBoard(GetPairsState())));
  ASSERT_EQ(board.size(), kBoardSize);
  EXPECT_EQ(board[54], 1);
}

}  // namespace
