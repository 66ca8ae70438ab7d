// The pairs rules on their own: the deal, where clicks land, what picks do,
// and which packets a machine accepts.

#include "games/pairs/pairs_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/msg.h"

namespace {

using namespace pairs;

PairsState Dealt(uint32_t seed) {
  PairsState state;
  NewGame(state);
  SeedRandom(seed);
  Deal(state, Random);
  return state;
}

// The first other cell holding a card of the same value as `pick`, or of a
// different one.
Pick Other(const PairsState& state, Pick pick, bool sameValue) {
  for (uint8_t i = 0; i < kCells; ++i) {
    const Pick other{uint8_t(i / kSide), uint8_t(i % kSide)};
    const uint8_t card = CardAt(state, other);
    if (!(other == pick) && card != 0 && (card == CardAt(state, pick)) == sameValue) return other;
  }
  return {};
}

std::vector<uint8_t> Bytes(const Packet& packet) {
  return std::vector<uint8_t>(packet.bytes, packet.bytes + packet.size);
}

TEST(PairsDealTest, EveryValueLiesTwiceAndTheCentreIsEmpty) {
  for (uint32_t seed = 0; seed < 60; ++seed) {
    const PairsState state = Dealt(seed);
    int count[kValues + 1] = {};
    for (uint8_t cell : state.board) {
      ASSERT_LE(cell, kValues) << "seed " << seed;
      ++count[cell];
    }
    EXPECT_EQ(state.board[kCentre], 0) << "seed " << seed;
    EXPECT_EQ(count[0], 1) << "seed " << seed;
    for (int value = 1; value <= kValues; ++value) EXPECT_EQ(count[value], 2) << "seed " << seed;
    EXPECT_TRUE(IsLegal(state));
  }
}

TEST(PairsPickTest, ClicksLandOnCardsOnly) {
  PairsState state = Dealt(3);
  state.board[0 * kSide + 1] = 0;  // a pair taken: (0, 1) and its partner
  struct Case {
    int x, y;
    bool card;
    Pick cell;
  };
  const Case cases[] = {
      {2, 2, true, {0, 0}},          // the first cell's corner
      {1, 2, false, {}},             // the left margin
      {2, 1, false, {}},             // the top margin
      {35, 2, true, {0, 0}},         // the gap after a cell belongs to it
      {36, 2, false, {}},            // the taken pair
      {239, 239, true, {6, 6}},      // the last cell's last pixels
      {240, 2, false, {}},           // right of the board
      {319, 100, false, {}},
      {2, 240, false, {}},           // below the board
      {2 + 34 * 3, 2 + 34 * 3, false, {}},  // the centre
      {-30, 10, false, {}},          // negative coordinates
      {10, -30, false, {}},
      {-32768, -32768, false, {}},
  };
  for (const Case& c : cases) {
    Pick pick;
    EXPECT_EQ(PickCellAt(c.x, c.y, state, &pick), c.card) << c.x << ", " << c.y;
    if (c.card) {
      EXPECT_EQ(pick, c.cell) << c.x << ", " << c.y;
    }
  }
}

TEST(PairsPickTest, FirstSameAgainMismatchPairAndWin) {
  PairsState state = Dealt(11);
  const Pick a{0, 0};
  const Pick b = Other(state, a, false);
  EXPECT_EQ(ApplyPick(state, a), PickOutcome::kFirst);
  EXPECT_EQ(state.turned, 1);
  EXPECT_EQ(state.first, a);
  EXPECT_EQ(ApplyPick(state, a), PickOutcome::kSameAgain);
  EXPECT_EQ(state.turned, 1);
  EXPECT_EQ(ApplyPick(state, b), PickOutcome::kMismatch);
  EXPECT_EQ(state.turned, 0);
  EXPECT_EQ(state.second, b);
  EXPECT_NE(CardAt(state, a), 0);
  EXPECT_EQ(ApplyPick(state, {3, 3}), PickOutcome::kIgnored);
  EXPECT_EQ(ApplyPick(state, {7, 7}), PickOutcome::kIgnored);
  EXPECT_EQ(state.turned, 0);

  for (int pair = 1; pair <= kValues; ++pair) {
    Pick first;
    for (uint8_t i = 0; i < kCells && CardAt(state, first) == 0; ++i) {
      first = {uint8_t(i / kSide), uint8_t(i % kSide)};
    }
    const Pick second = Other(state, first, true);
    EXPECT_EQ(ApplyPick(state, first), PickOutcome::kFirst);
    EXPECT_EQ(ApplyPick(state, second), pair == kValues ? PickOutcome::kWin : PickOutcome::kPair);
    EXPECT_EQ(state.pairsFound, pair + 1);
    EXPECT_TRUE(IsLegal(state));
  }
}

TEST(PairsPacketTest, EachPacketIsTakenAtItsSizeAndRole) {
  PairsState host = Dealt(5);
  host.role = kHosting;
  host.clock = 0x01020304;
  ApplyPick(host, {0, 0});
  PairsState guest;
  guest.role = kJoined;

  const Packet request = EncodeRequest();
  EXPECT_EQ(DecodePacket(request.bytes, request.size, host).kind, Received::kRequest);

  const Packet board = EncodeBoard(host);
  ASSERT_EQ(board.size, kBoardSize);
  EXPECT_EQ(board.bytes[50], 0x04);  // the clock, little-endian
  const Received got = DecodePacket(board.bytes, board.size, guest);
  ASSERT_EQ(got.kind, Received::kBoard);
  AdoptBoard(guest, got.board);
  EXPECT_EQ(guest.role, kJoined);
  EXPECT_EQ(Bytes(EncodeBoard(guest)), Bytes(board));

  const Packet clock = EncodeClock(77);
  const Received tick = DecodePacket(clock.bytes, clock.size, guest);
  EXPECT_EQ(tick.kind, Received::kClock);
  EXPECT_EQ(tick.clock, 77u);

  host.started = 1;
  const Packet pick = EncodePick({6, 5});
  const Received picked = DecodePacket(pick.bytes, pick.size, host);
  EXPECT_EQ(picked.kind, Received::kPick);
  EXPECT_EQ(picked.pick, (Pick{6, 5}));
}

TEST(PairsPacketTest, MalformedPacketsAreIgnoredWhole) {
  PairsState host = Dealt(9);
  host.role = kHosting;
  host.started = 1;
  PairsState guest = host;
  guest.role = kJoined;
  PairsState unsynchronised = host;  // picks wait for the boards to agree
  unsynchronised.started = 0;
  PairsState taken = host;  // (0, 0) and its partner gone
  const Pick partner = Other(taken, {0, 0}, true);
  ApplyPick(taken, {0, 0});
  ApplyPick(taken, partner);

  auto board = [&](auto change) {
    PairsState s = host;
    change(s);
    return Bytes(EncodeBoard(s));
  };
  auto with = [](std::vector<uint8_t> bytes, size_t at, uint8_t value) {
    bytes[at] = value;
    return bytes;
  };
  auto resized = [](std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
    const PairsState* receiver;
  };
  const std::vector<uint8_t> good = Bytes(EncodeBoard(host));
  const Case cases[] = {
      {"empty", {}, &host},
      {"unknown type", {3, 0, 0}, &host},
      {"type 255", {255}, &guest},
      {"request of two bytes", {0, 0}, &host},
      {"request to the joined machine", {0}, &guest},
      {"board to the host", good, &host},
      {"board a byte short", resized(good, 59), &guest},
      {"board a byte long", resized(good, 61), &guest},
      {"board cell above 24", with(good, 1, 25), &guest},
      {"centre not empty", with(good, 1 + kCentre, 1), &guest},
      {"a value three times", with(good, 1, good[2] == good[1] ? good[3] : good[2]), &guest},
      {"a value once", board([](PairsState& s) { s.board[0] = 0; s.pairsFound = 1; }), &guest},
      {"pairs found not 25 less pairs left", with(good, 55, 2), &guest},
      {"turned above 1", with(good, 54, 2), &guest},
      {"turned first pick off the board", board([](PairsState& s) { s.turned = 1; }), &guest},
      {"pick row above 7", with(good, 56, 8), &guest},
      {"second pick column above 7", with(good, 59, 200), &guest},
      {"pick of two bytes", {1, 0}, &host},
      {"pick of four bytes", {1, 0, 0, 0}, &host},
      {"pick off the board", {1, 7, 0}, &host},
      {"pick of the centre", {1, 3, 3}, &host},
      {"pick of a taken pair", {1, 0, 0}, &taken},
      {"pick of row 255", {1, 255, 255}, &host},
      {"pick before the boards agree", {1, 0, 0}, &unsynchronised},
      {"clock to the host", Bytes(EncodeClock(5)), &host},
      {"clock of five bytes", resized(Bytes(EncodeClock(5)), 5), &guest},
      {"clock with byte 1 set", with(Bytes(EncodeClock(5)), 1, 1), &guest},
      {"a 1024-byte block", std::vector<uint8_t>(1024, 1), &host},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodePacket(c.block.data(), uint32_t(c.block.size()), *c.receiver).kind,
              Received::kNone)
        << c.what;
  }
  EXPECT_EQ(DecodePacket(nullptr, 3, host).kind, Received::kNone);
}

}  // namespace
