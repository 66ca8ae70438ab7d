// Two simulators on this machine playing one pairs board over the network:
// each in its own instance with a held virtual clock, one free port. A hosts,
// B joins (by address, or by searching) and asks for the board with L; the
// test knows A's deal from its clock and plays every pair, the picks
// alternating between the two, and after every pick both boards look alike.
// Then the loss of either side.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/pairs/pairs_rules.h"
#include "host/msg.h"
#include "tests/e2e/sim_run.h"
#include "tests/support/golden.h"
#include "tests/support/net_peer.h"

namespace e2e {
namespace {

using namespace pairs;

// Both calendars start here; A's game starts after the dialog's five
// seconds, so it is seeded with second 5.
constexpr char kClockStart[] = "TOVSIM_CLOCK_START=2026-01-01T12:00:00";
constexpr uint32_t kSeedOfA = 5;
constexpr int kDialogMs = 5000;
constexpr int kMismatchMs = 700;

std::vector<uint32_t> Area(const plat::Image& image, int x, int y, int w, int h) {
  std::vector<uint32_t> pixels;
  if (image.width < x + w || image.height < y + h) return pixels;
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) pixels.push_back(image.at(column, row));
  }
  return pixels;
}
std::vector<uint32_t> Board(const plat::Image& image) { return Area(image, 0, 0, 240, 240); }
std::vector<uint32_t> Clock(const plat::Image& image) { return Area(image, 240, 0, 80, 16); }

Pick CellOf(int index) { return {uint8_t(index / kSide), uint8_t(index % kSide)}; }

class PairsNetworkTest : public ::testing::Test {
 protected:
  PairsNetworkTest() {
    NewGame(deal_);
    SeedRandom(kSeedOfA);
    Deal(deal_, Random);
  }

  std::vector<std::string> Env() const {
    return {"TOVSIM_CLOCK=virtual", "TOVSIM_CLOCK_HOLD=1", kClockStart,
            "TOVSIM_NET_PORT=" + std::to_string(port_)};
  }
  static void Do(SimRun& run, const std::vector<std::string>& args) {
    ASSERT_TRUE(run.Drive(args)) << args[0];
  }
  static void Key(SimRun& run, const char* key) { Do(run, {"key", key}); }
  static void Advance(SimRun& run, int ms) { Do(run, {"advance", std::to_string(ms)}); }

  // A hosts "duel" and is in its game once the dialog's wait is over.
  void Host() {
    ASSERT_TRUE(a_.StartHostIdle({"--app", "pairs"}, Env()));
    Key(a_, "Enter");
    Do(a_, {"type", "duel"});
    Key(a_, "Enter");
    Advance(a_, kDialogMs);
  }
  // B joins `address` ("" searches), then asks for A's board with L and
  // shows it.
  void Join(const std::string& address) {
    ASSERT_TRUE(b_.StartHostIdle({"--app", "pairs"}, Env()));
    Key(b_, "Down");
    Key(b_, "Enter");
    if (!address.empty()) Do(b_, {"type", address});
    Key(b_, "Enter");
    Advance(b_, kDialogMs);
    const auto frames = b_.ViewerFrameCount();
    Key(b_, "L");
    Do(b_, {"wait-frame", std::to_string(frames)});
    ASSERT_TRUE(a_.WaitIdle());
    ExpectSameBoards();
  }

  void ExpectSameBoards() {
    const std::vector<uint32_t> a = Board(a_.Screenshot());
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a, Board(b_.Screenshot()));
  }

  // A click on the middle of the cell.
  static void Click(SimRun& run, int index) {
    const Pick cell = CellOf(index);
    Do(run, {"click", std::to_string(CellX(cell.column) + 16), std::to_string(CellY(cell.row) + 16)});
  }
  // `by` picks the cell; the other machine shows it once it has repainted.
  void PickOn(SimRun& by, SimRun& other, int index, bool repaints = true) {
    const auto frames = other.ViewerFrameCount();
    Click(by, index);
    if (repaints) Do(other, {"wait-frame", std::to_string(frames)});
    ApplyPick(deal_, CellOf(index));
  }
  // A mismatch completed by `second`: both faces shown on both, then turned
  // back on both once each has waited its 700 ms. `a` may be the card
  // turned already (picked again, nothing to repaint).
  void Mismatch(SimRun& first, SimRun& second, int a, int b, bool turnsA = true) {
    ASSERT_NE(deal_.board[a], deal_.board[b]);
    PickOn(first, second, a, turnsA);
    PickOn(second, first, b);
    ExpectSameBoards();
    const std::vector<uint32_t> shown = Board(a_.Screenshot());
    Advance(first, kMismatchMs);
    Advance(second, kMismatchMs);
    ExpectSameBoards();
    EXPECT_NE(Board(a_.Screenshot()), shown);
  }
  // The first card still on A's board, other than `skip`, whose value `fits`.
  template <typename Fits>
  int FindCard(Fits fits, int skip = -1) const {
    for (int i = 0; i < kCells; ++i) {
      if (i != skip && deal_.board[i] != 0 && fits(deal_.board[i])) return i;
    }
    return -1;
  }
  int FirstCard() const { return FindCard([](auto) { return true; }); }
  int OtherOf(int index) const {
    return FindCard([&](auto v) { return v == deal_.board[index]; }, index);
  }
  int DifferentFrom(int index) const {
    return FindCard([&](auto v) { return v != deal_.board[index]; });
  }

  // The other machine gone, `run`'s next pick still turns its card, and
  // Escape ends it cleanly.
  void PlaysOnAndLeaves(SimRun& run) {
    const std::vector<uint32_t> before = Board(run.Screenshot());
    Click(run, FirstCard());
    EXPECT_NE(Board(run.Screenshot()), before);
    Leaves(run);
  }
  // Escape ends the game and the run, with nothing left behind.
  static void Leaves(SimRun& run) {
    ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
    EXPECT_EQ(run.WaitHost(), 1);
    EXPECT_EQ(run.HostStderr().find("leak"), std::string::npos) << run.HostStderr();
  }

  const uint16_t port_ = testsupport::FreePort();
  PairsState deal_;  // A's board as the test follows it
  SimRun a_;
  SimRun b_;
};

TEST_F(PairsNetworkTest, JoinedByAddressBothPlayOneBoardToTheWin) {
  ASSERT_NO_FATAL_FAILURE(Host());
  ASSERT_NO_FATAL_FAILURE(Join("127.0.0.1"));
  // A mismatch completed by B (A's clock at 5.7 s, before its first tick).
  const int x = FirstCard();
  ASSERT_NO_FATAL_FAILURE(Mismatch(a_, b_, x, DifferentFrom(x)));
  // A's first tick: B shows the same time.
  const std::vector<uint32_t> before = Clock(b_.Screenshot());
  const auto frames = b_.ViewerFrameCount();
  Advance(a_, 300);
  Do(b_, {"wait-frame", std::to_string(frames)});
  const std::vector<uint32_t> ticked = Clock(b_.Screenshot());
  EXPECT_NE(ticked, before);
  EXPECT_EQ(ticked, Clock(a_.Screenshot()));
  // A picks a card, B picks it again (still one card turned), A completes a
  // mismatch (A's clock ends at 6.7 s, before its next tick).
  PickOn(a_, b_, x);
  ASSERT_NO_FATAL_FAILURE(Mismatch(b_, a_, x, DifferentFrom(x), false));
  // Every pair, B turning the first card and A the second.
  for (int pair = 0; pair < kValues; ++pair) {
    const int first = FirstCard();
    PickOn(b_, a_, first);
    ExpectSameBoards();
    PickOn(a_, b_, OtherOf(first));
    if (pair + 1 < kValues) ExpectSameBoards();
  }
  EXPECT_EQ(deal_.pairsFound, kWinPairs);
  const plat::Image won = a_.Screenshot();
  EXPECT_TRUE(testsupport::MatchesGolden(won, "net/pairs_network_win"));
  EXPECT_EQ(won.pixels, b_.Screenshot().pixels);
  // Escape ends the win screen, Escape again the game and the run.
  for (SimRun* run : {&a_, &b_}) {
    Key(*run, "Escape");
    Leaves(*run);
  }
}

TEST_F(PairsNetworkTest, JoinedBySearchingTheBoardsAgree) {
  ASSERT_NO_FATAL_FAILURE(Host());
  ASSERT_NO_FATAL_FAILURE(Join(""));
  const int x = FirstCard();
  PickOn(b_, a_, x);
  ExpectSameBoards();
  PickOn(a_, b_, OtherOf(x));
  ExpectSameBoards();
}

TEST_F(PairsNetworkTest, TheHostPlaysOnWhenTheJoinedMachineIsGone) {
  ASSERT_NO_FATAL_FAILURE(Host());
  ASSERT_NO_FATAL_FAILURE(Join("127.0.0.1"));
  ASSERT_TRUE(b_.KillHost());
  PlaysOnAndLeaves(a_);
}

TEST_F(PairsNetworkTest, TheJoinedMachinePlaysAloneWhenTheHostIsGone) {
  ASSERT_NO_FATAL_FAILURE(Host());
  ASSERT_NO_FATAL_FAILURE(Join("127.0.0.1"));
  ASSERT_TRUE(a_.KillHost());
  PlaysOnAndLeaves(b_);
}

}  // namespace
}  // namespace e2e
