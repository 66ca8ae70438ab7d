#include "games/pairs/pairs_rules.h"

#include <cstring>

namespace pairs {
namespace {

enum PacketType : uint8_t { kTypeBoard = 0, kTypePick = 1, kTypeClock = 2 };

// Packet offsets of the board packet.
constexpr int kBoardCells = 1;
constexpr int kBoardClock = 50;
constexpr int kBoardTurned = 54;
constexpr int kBoardPairs = 55;
constexpr int kBoardPicks = 56;
constexpr int kClockAt = 2;
static_assert(kBoardCells + kCells == kBoardClock && kBoardPicks + 4 == int(kBoardSize));

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
}
uint32_t GetU32(const uint8_t* in) {
  return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

bool OnCard(const PairsState& state, Pick pick) { return CardAt(state, pick) != 0; }

bool PickInRange(Pick pick) { return pick.row <= kNoPick && pick.column <= kNoPick; }

bool LegalCells(const uint8_t* cells, int* cardsLeft) {
  int count[kValues + 1] = {};
  for (int i = 0; i < kCells; ++i) {
    if (cells[i] > kValues) return false;
    ++count[cells[i]];
  }
  if (cells[kCentre] != 0) return false;
  *cardsLeft = kCells - count[0];
  for (int value = 1; value <= kValues; ++value) {
    if (count[value] != 0 && count[value] != 2) return false;
  }
  return true;
}

Received DecodeBoard(const uint8_t* data, const PairsState& state) {
  Received got;
  got.board = state;
  std::memcpy(got.board.board, data + kBoardCells, kCells);
  got.board.clock = GetU32(data + kBoardClock);
  got.board.turned = data[kBoardTurned];
  got.board.pairsFound = data[kBoardPairs];
  got.board.first = {data[kBoardPicks], data[kBoardPicks + 1]};
  got.board.second = {data[kBoardPicks + 2], data[kBoardPicks + 3]};
  if (IsLegal(got.board)) got.kind = Received::kBoard;
  return got;
}

}  // namespace

void NewGame(PairsState& state) {
  state.clock = 0;
  state.turned = 0;
  state.pairsFound = 1;
  state.first = {};
  state.second = {};
  std::memset(state.board, 0, sizeof state.board);
}

void Deal(PairsState& state, int32_t (*random)()) {
  bool dealt[kCells] = {};
  int n = 0;
  for (int k = 0; k < kCells; ++k) {
    int skip = int(uint32_t(random()) % uint32_t(kCells - k));
    int position = 0;
    for (;; ++position) {
      if (dealt[position]) continue;
      if (skip-- == 0) break;
    }
    dealt[position] = true;
    state.board[position] = position == kCentre ? 0 : uint8_t((++n + 1) / 2);
  }
}

bool PickCellAt(int x, int y, const PairsState& state, Pick* out) {
  if (x < kMargin || x >= kBoardRight || y < kMargin || y >= kBoardBottom) return false;
  const Pick pick{uint8_t((y - kMargin) / kPitch), uint8_t((x - kMargin) / kPitch)};
  if (!OnCard(state, pick)) return false;
  *out = pick;
  return true;
}

PickOutcome ApplyPick(PairsState& state, Pick pick) {
  if (!OnCard(state, pick)) return PickOutcome::kIgnored;
  if (++state.turned == 1) {
    state.first = pick;
    return PickOutcome::kFirst;
  }
  if (pick == state.first) {
    state.turned = 1;
    return PickOutcome::kSameAgain;
  }
  state.second = pick;
  state.turned = 0;
  if (CardAt(state, pick) != CardAt(state, state.first)) return PickOutcome::kMismatch;
  state.board[pick.row * kSide + pick.column] = 0;
  state.board[state.first.row * kSide + state.first.column] = 0;
  return ++state.pairsFound == kWinPairs ? PickOutcome::kWin : PickOutcome::kPair;
}

bool IsLegal(const PairsState& state) {
  int cardsLeft = 0;
  if (!LegalCells(state.board, &cardsLeft)) return false;
  if (state.pairsFound != kWinPairs - cardsLeft / 2) return false;
  if (state.turned > 1 || !PickInRange(state.first) || !PickInRange(state.second)) return false;
  return state.turned == 0 || OnCard(state, state.first);
}

Packet EncodeRequest() {
  Packet packet;
  packet.bytes[0] = kTypeBoard;
  packet.size = kRequestSize;
  return packet;
}

Packet EncodeBoard(const PairsState& state) {
  Packet packet;
  packet.bytes[0] = kTypeBoard;
  std::memcpy(packet.bytes + kBoardCells, state.board, kCells);
  PutU32(packet.bytes + kBoardClock, state.clock);
  packet.bytes[kBoardTurned] = state.turned;
  packet.bytes[kBoardPairs] = state.pairsFound;
  const uint8_t picks[4] = {state.first.row, state.first.column, state.second.row,
                            state.second.column};
  std::memcpy(packet.bytes + kBoardPicks, picks, sizeof picks);
  packet.size = kBoardSize;
  return packet;
}

Packet EncodePick(Pick pick) {
  Packet packet;
  packet.bytes[0] = kTypePick;
  packet.bytes[1] = pick.row;
  packet.bytes[2] = pick.column;
  packet.size = kPickSize;
  return packet;
}

Packet EncodeClock(uint32_t clock) {
  Packet packet;
  packet.bytes[0] = kTypeClock;
  PutU32(packet.bytes + kClockAt, clock);
  packet.size = kClockSize;
  return packet;
}

Received DecodePacket(const uint8_t* data, uint32_t size, const PairsState& state) {
  Received got;
  if (data == nullptr || size == 0) return got;
  const bool hosting = state.role == kHosting;
  const bool joined = state.role == kJoined;
  switch (data[0]) {
    case kTypeBoard:
      if (size == kRequestSize && hosting) got.kind = Received::kRequest;
      if (size == kBoardSize && joined) return DecodeBoard(data, state);
      break;
    case kTypePick:
      if (size != kPickSize || !state.started) break;
      got.pick = {data[1], data[2]};
      if (OnCard(state, got.pick)) got.kind = Received::kPick;
      break;
    case kTypeClock:
      if (size == kClockSize && joined && data[1] == 0) {
        got.clock = GetU32(data + kClockAt);
        got.kind = Received::kClock;
      }
      break;
    default:
      break;
  }
  return got;
}

void AdoptBoard(PairsState& state, const PairsState& board) {
  std::memcpy(state.board, board.board, kCells);
  state.clock = board.clock;
  state.turned = board.turned;
  state.pairsFound = board.pairsFound;
  state.first = board.first;
  state.second = board.second;
}

}  // namespace pairs
