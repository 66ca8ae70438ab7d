#pragma once
// The pairs game's rules, free of the Device API: the board of 7 x 7 cells
// (48 cards, the centre empty), dealing, where a click lands, what a pick
// does, and the four packets two machines exchange, read by one decoder that
// refuses anything that could put the board in a state no game reaches.

#include <cstdint>

namespace pairs {

inline constexpr int kSide = 7;
inline constexpr int kCells = kSide * kSide;
inline constexpr int kCentre = kCells / 2;  // row 3, column 3
inline constexpr int kValues = 24;          // card values 1..24, each on two cells
inline constexpr uint8_t kNoPick = 7;       // a pick's row and column before any pick
inline constexpr uint8_t kWinPairs = 25;    // pairsFound starts at 1

// Cells are 32 x 32 pictures, 34 pixels apart, the first at (2, 2).
inline constexpr int kCardSize = 32;
inline constexpr int kPitch = 34;
inline constexpr int kMargin = 2;
inline constexpr int kBoardRight = 320;  // clicks at x >= this are off the board
inline constexpr int kBoardBottom = 240;

inline constexpr int CellX(int column) { return kMargin + kPitch * column; }
inline constexpr int CellY(int row) { return kMargin + kPitch * row; }

enum Role : uint8_t { kAlone = 0, kHosting = 1, kJoined = 2 };

struct Pick {
  uint8_t row = kNoPick;
  uint8_t column = kNoPick;
  bool operator==(const Pick&) const = default;
};

struct PairsState {
  uint8_t board[kCells] = {};  // row-major; 0 = no card
  uint8_t turned = 0;          // cards turned in the current pick: 0 or 1 between picks
  uint8_t pairsFound = 1;
  Pick first;
  Pick second;
  uint32_t clock = 0;
  uint8_t role = kAlone;
  uint8_t started = 0;  // set once both machines play the same board
};

// A new game: clock 0, nothing turned, no pairs, no picks, the board empty.
void NewGame(PairsState& state);

// Deals 24 values twice over every cell but the centre; `random` is the
// device's generator (0..32767).
void Deal(PairsState& state, int32_t (*random)());

inline uint8_t CardAt(const PairsState& state, Pick pick) {
  return pick.row < kSide && pick.column < kSide ? state.board[pick.row * kSide + pick.column] : 0;
}

// The cell under a click at (x, y) when that cell holds a card.
bool PickCellAt(int x, int y, const PairsState& state, Pick* out);

enum class PickOutcome {
  kIgnored,   // not a card: nothing changed
  kFirst,     // the first card of a pick turned
  kSameAgain, // the first card picked again: it stays turned
  kPair,      // two equal cards taken off
  kWin,       // the last pair taken
  kMismatch,  // two different cards, to be shown, then turned back
};

// Applies a pick of a cell holding a card (anything else is ignored).
PickOutcome ApplyPick(PairsState& state, Pick pick);

// Whether the board, counters and picks are a state a game can be in.
bool IsLegal(const PairsState& state);

// The packets: byte 0 the type; exact sizes.
inline constexpr uint32_t kRequestSize = 1;
inline constexpr uint32_t kBoardSize = 60;
inline constexpr uint32_t kPickSize = 3;
inline constexpr uint32_t kClockSize = 6;
inline constexpr uint32_t kMaxPacket = kBoardSize;

struct Packet {
  uint8_t bytes[kMaxPacket] = {};
  uint32_t size = 0;
};

Packet EncodeRequest();
Packet EncodeBoard(const PairsState& state);
Packet EncodePick(Pick pick);
Packet EncodeClock(uint32_t clock);

struct Received {
  enum Kind { kNone, kRequest, kBoard, kPick, kClock } kind = kNone;
  PairsState board;  // kBoard: the sender's board, counters and picks
  Pick pick;         // kPick
  uint32_t clock = 0;
};

// Reads a block for a machine in `state`. kNone when the block is to be
// ignored whole: a size not its type's, an unknown type, a type not for
// this role (the request only when hosting, board and clock only when
// joined), a pick while the boards are not synchronised or not on a card,
// a board that is not a legal state.
Received DecodePacket(const uint8_t* data, uint32_t size, const PairsState& state);

// Takes a received board's cells, clock, counters and picks.
void AdoptBoard(PairsState& state, const PairsState& board);

}  // namespace pairs
