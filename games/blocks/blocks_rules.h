#pragma once
// Falling blocks: the state of a game and every rule, as plain functions.
// The rules draw through a Painter and take random numbers from a function
// handed in, so they run the same in the game, in the tests and in the bench.
//
// The falling piece lives in the board as occupied cells and is taken out
// before every move; a move is then checked against the last accepted
// position and either accepted or undone, and the piece is put back.

#include <array>
#include <cstdint>
#include <functional>

namespace blocks {

inline constexpr int kColumns = 10;
inline constexpr int kRows = 20;
inline constexpr int kShapes = 7;
inline constexpr int kRotations = 4;
inline constexpr int kGridSize = 4;
inline constexpr int kSpawnX = 4;
inline constexpr int kStartLevel = 9;
// A game is won at this score, or when the level value falls below kWinLevel.
inline constexpr int kWinScore = 600;
inline constexpr int kWinLevel = 4;

// One piece table entry. The shape bits form a 4 x 4 grid: the high nibble
// of bits0 is row 0, its low nibble row 1, bits1 rows 2 and 3; within a
// nibble the most significant bit is column 0.
struct PieceEntry {
  uint8_t bits0;
  uint8_t bits1;
  uint8_t height;  // rows
  uint8_t width;   // columns
};
extern const PieceEntry kPieceTable[kShapes][kRotations];

// Cells indexed [column][row], row 0 at the top; 1 is a block.
using Board = std::array<std::array<uint8_t, kRows>, kColumns>;
using Grid = std::array<std::array<uint8_t, kGridSize>, kGridSize>;

// The 4 x 4 cells of a table entry.
Grid ExpandShape(int shape, int rotation);

enum class Action : uint8_t { kNone, kLeft, kRotate, kRight, kDrop };

struct BlocksState {
  Board board{};
  // The falling piece: the top-left corner of its grid at column x, row y.
  uint8_t shape = 0;
  uint8_t rotation = 0;
  uint8_t x = 0;
  uint8_t y = 0;
  Grid cells{};
  uint8_t height = 0;
  uint8_t width = 0;
  // The last position that passed the checks, and where the piece was drawn
  // before its latest move.
  uint8_t acceptedX = 0;
  uint8_t acceptedY = 0;
  uint8_t acceptedRotation = 0;
  uint8_t drawnX = 0;
  uint8_t drawnY = 0;
  // The piece after this one, shown in the preview.
  uint8_t nextShape = 0;
  uint8_t nextRotation = 0;
  Grid nextCells{};

  int32_t score = 0;
  int32_t hundredsSeen = 0;   // score / 100 when the level value last changed
  int32_t lines = 0;          // rows cleared by the current landing
  int32_t level = kStartLevel;  // also the normal fall interval in ticks
  int32_t fallInterval = kStartLevel;  // 1 while the piece is dropped
  int32_t ticks = 0;
  int32_t topRow = kRows;     // the highest occupied row
  bool running = false;
  bool paused = false;
  bool moved = false;
  bool grace = false;         // the piece could not fall once; next time it lands
  Action action = Action::kNone;
};

// What the rules ask to be drawn. Each call is one drawing step of the game.
class Painter {
 public:
  virtual ~Painter() = default;
  // The background picture over the whole screen.
  virtual void Background() = 0;
  // The score's four digits.
  virtual void Score(int32_t score) = 0;
  // The preview box with the next piece's cells.
  virtual void Preview(const Grid& next) = 0;
  // The board cells of columns x to x + w - 1 and rows y to y + h - 1 (inside
  // the board): a block where occupied, black where empty.
  virtual void BoardArea(const Board& board, int x, int y, int w, int h) = 0;
};

// The random-number source: 0 to 32767.
using RandomSource = std::function<int32_t()>;

// The fit test: false when the piece at (x, y) would reach below the last
// row, leave the board, or cover an occupied cell.
bool Fits(const BlocksState& state, int x, int y);

// Checks the piece against its accepted position: a changed x must keep the
// piece inside the board and fit; a changed rotation re-expands the shape,
// pulls x back from the right wall and must fit; a changed y must fit.
bool CheckPosition(BlocksState& state);

// A fresh game: empty board, level 9, score 0, the next and the current
// piece drawn at random; the preview is drawn.
void NewGame(BlocksState& state, Painter& painter, const RandomSource& random);

// The next piece becomes the current one at (4, 0) and a new next piece is
// drawn at random. When the new piece cannot start, the top row becomes 0,
// which ends the game at the next step.
void Spawn(BlocksState& state, Painter& painter, const RandomSource& random);

// Key-downs other than Escape (which the loop handles): Enter pauses and
// un-pauses; the arrows choose the action and un-pause.
void PressKey(BlocksState& state, uint32_t virtualKey);
// A timer tick.
void Tick(BlocksState& state);

enum class StepResult { kPlaying, kGameOver };

// One game step, run after every Message: starts a game when none runs,
// applies the action, lets the piece fall and checks the move. kGameOver
// when the game has ended; the caller shows the end screen.
StepResult Step(BlocksState& state, Painter& painter, const RandomSource& random);

// The end of a game: 600 points or a level value below 4 win.
bool GameOver(const BlocksState& state);
bool GameWon(const BlocksState& state);

struct GameResult {
  bool won;
  int32_t score;
  int32_t level;  // as the player sees it: 10 minus the level value
};
// Closes a game that GameOver reports: a win raises the level value by one;
// the running flag is cleared, so the next step starts a new game.
GameResult EndGame(BlocksState& state);

}  // namespace blocks
