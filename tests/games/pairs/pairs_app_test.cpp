// The pairs game hosting in the whole host on the held virtual clock: a raw
// peer in the test's hands plays the joined machine: it asks for the board,
// gets the clock, sends picks good and bad, leaves, and a second peer joins.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "games/pairs/pairs.h"
#include "host/device_api.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"
#include "tests/support/net_peer.h"

namespace {

using namespace pairs;
using testsupport::HostRun;

void RunPairs() { PairsMain(); }

std::vector<uint32_t> ClockArea() { return testsupport::Pixels(nullptr, 240, 0, 80, 16); }

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
  static void Click(HostRun& run, Pick cell) {
    run.Click(CellX(cell.column) + 16, CellY(cell.row) + 16);
  }

  const uint16_t port_ = testsupport::FreePort();
  HostRun run_{RunPairs};
};

TEST_F(PairsAppTest, HostingServesTheBoardTheClockAndPicks) {
  ASSERT_NO_FATAL_FAILURE(Host());
  testsupport::RawPeer peer;
  const std::vector<uint8_t> board = JoinAndRequest(peer);
  EXPECT_EQ(board, Block(EncodeBoard(GetPairsState())));
  EXPECT_EQ(GetPairsState().started, 1);

  // A tick: the clock to the joined machine and on the screen.
  const std::vector<uint32_t> clock = ClockArea();
  run_.Advance(1000);
  const auto tick = peer.ReadFrame();
  ASSERT_TRUE(tick);
  EXPECT_EQ(tick->payload, Block(EncodeClock(1)));
  EXPECT_NE(ClockArea(), clock);

  // Blocks that are not for a host, or not well made, change nothing.
  const PairsState before = GetPairsState();
  Send(peer, Block(EncodeClock(99)));
  Send(peer, Block(EncodeBoard(before)));
  Send(peer, {1, 3, 3});
  EXPECT_EQ(std::memcmp(GetPairsState().board, before.board, kCells), 0);
  EXPECT_EQ(GetPairsState().turned, 0);
  EXPECT_EQ(GetPairsState().clock, 1u);

  // The peer's pick turns the card; the host's own click goes to the peer.
  Send(peer, Block(EncodePick({0, 0})));
  EXPECT_EQ(GetPairsState().turned, 1);
  Click(run_, {6, 6});
  const auto pick = peer.ReadFrame();
  ASSERT_TRUE(pick);
  EXPECT_EQ(pick->payload, Block(EncodePick({6, 6})));
  // Whatever the two cards were, the pick is over once a mismatch's 700 ms
  // have passed.
  run_.Advance(700);
  EXPECT_EQ(GetPairsState().turned, 0);
}

TEST_F(PairsAppTest, TheHostPlaysOnWhenItsPeerLeavesAndServesTheNext) {
  ASSERT_NO_FATAL_FAILURE(Host());
  {
    testsupport::RawPeer first;
    EXPECT_EQ(JoinAndRequest(first).size(), kBoardSize);
  }
  ASSERT_TRUE(testsupport::WaitIdle());
  Click(run_, {0, 0});
  EXPECT_EQ(GetPairsState().turned, 1);
  // A new peer asks again: the board has the card turned.
  testsupport::RawPeer second;
  const std::vector<uint8_t> board = JoinAndRequest(second);
  EXPECT_EQ(board, Block(EncodeBoard(GetPairsState())));
  ASSERT_EQ(board.size(), kBoardSize);
  EXPECT_EQ(board[54], 1);
}

}  // namespace
