#include "games/blocks/blocks_rules.h"

#include <algorithm>

namespace blocks {

const PieceEntry kPieceTable[kShapes][kRotations] = {
    {{0x88, 0x88, 4, 1}, {0xF0, 0x00, 1, 4}, {0x88, 0x88, 4, 1}, {0xF0, 0x00, 1, 4}},  // bar
    {{0xCC, 0x00, 2, 2}, {0xCC, 0x00, 2, 2}, {0xCC, 0x00, 2, 2}, {0xCC, 0x00, 2, 2}},  // square
    {{0x4C, 0x80, 3, 2}, {0xC6, 0x00, 2, 3}, {0x4C, 0x80, 3, 2}, {0xC6, 0x00, 2, 3}},
    {{0x8C, 0x80, 3, 2}, {0xE4, 0x00, 2, 3}, {0x4C, 0x40, 3, 2}, {0x4E, 0x00, 2, 3}},
    {{0xC8, 0x80, 3, 2}, {0x8E, 0x00, 2, 3}, {0x44, 0xC0, 3, 2}, {0xE2, 0x00, 2, 3}},
    {{0xC4, 0x40, 3, 2}, {0xE8, 0x00, 2, 3}, {0x88, 0xC0, 3, 2}, {0x2E, 0x00, 2, 3}},
    {{0x8C, 0x40, 3, 2}, {0x6C, 0x00, 2, 3}, {0x8C, 0x40, 3, 2}, {0x6C, 0x00, 2, 3}},
};

namespace {

// Virtual-key codes of the keys the game reads.
constexpr uint32_t kEnter = 13;
constexpr uint32_t kLeft = 37;
constexpr uint32_t kUp = 38;
constexpr uint32_t kRight = 39;
constexpr uint32_t kDown = 40;

bool InBoard(int column, int row) { return column >= 0 && column < kColumns && row >= 0 && row < kRows; }

// Sets the board cells under the piece's blocks to `value`.
void Stamp(BlocksState& s, uint8_t value) {
  for (int c = 0; c < kGridSize; ++c) {
    for (int r = 0; r < kGridSize; ++r) {
      if (s.cells[c][r] && InBoard(s.x + c, s.y + r)) s.board[s.x + c][s.y + r] = value;
    }
  }
}

void PutIn(BlocksState& s) { Stamp(s, 1); }

// Taking the piece out for a player's move also ends a drop.
void TakeOut(BlocksState& s, bool resetInterval) {
  Stamp(s, 0);
  if (resetInterval && s.fallInterval != s.level) s.fallInterval = s.level;
}

void Expand(BlocksState& s) {
  const PieceEntry& entry = kPieceTable[s.shape][s.rotation];
  s.cells = ExpandShape(s.shape, s.rotation);
  s.height = entry.height;
  s.width = entry.width;
}

// The board cells under the piece's rows and columns at (x, y).
void DrawArea(const BlocksState& s, Painter& painter, int x, int y) {
  const int w = std::min<int>(s.width, kColumns - x);
  const int h = std::min<int>(s.height, kRows - y);
  if (w > 0 && h > 0) painter.BoardArea(s.board, x, y, w, h);
}

void RememberDrawn(BlocksState& s) {
  s.drawnX = s.x;
  s.drawnY = s.y;
}

void Accept(BlocksState& s) {
  s.acceptedX = s.x;
  s.acceptedY = s.y;
  s.acceptedRotation = s.rotation;
}

void Restore(BlocksState& s) {
  s.x = s.acceptedX;
  s.y = s.acceptedY;
  s.rotation = s.acceptedRotation;
  Expand(s);
}

void DrawNext(BlocksState& s, Painter& painter, const RandomSource& random) {
  s.nextShape = uint8_t(random() % kShapes);
  s.nextRotation = uint8_t(random() & 3);
  s.nextCells = ExpandShape(s.nextShape, s.nextRotation);
  painter.Preview(s.nextCells);
}

void ApplyAction(BlocksState& s, Painter& painter) {
  switch (s.action) {
    case Action::kNone:
      return;
    case Action::kLeft:
    case Action::kRight:
      RememberDrawn(s);
      TakeOut(s, true);
      s.x = uint8_t(s.x + (s.action == Action::kLeft ? -1 : 1));
      break;
    case Action::kRotate:
      // The drawing goes at once: the shape changes before the check.
      TakeOut(s, true);
      DrawArea(s, painter, s.x, s.y);
      s.rotation = uint8_t((s.rotation + 1) & 3);
      break;
    case Action::kDrop:
      RememberDrawn(s);
      TakeOut(s, true);
      s.fallInterval = 1;
      s.ticks = 0;
      break;
  }
  s.moved = true;
}

// The counter may have passed the interval while the piece was moved or
// the game paused, so reaching it is enough.
void Gravity(BlocksState& s) {
  if (s.moved || s.ticks < s.fallInterval) return;
  RememberDrawn(s);
  TakeOut(s, false);
  ++s.y;
  s.ticks = 0;
  s.moved = true;
}

bool RowFull(const BlocksState& s, int row) {
  for (int c = 0; c < kColumns; ++c) {
    if (!s.board[c][row]) return false;
  }
  return true;
}

void RemoveRow(BlocksState& s, int row) {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = row; r > 0; --r) s.board[c][r] = s.board[c][r - 1];
    s.board[c][0] = 0;
  }
}

// Scans the landed piece's rows from the bottom up; after a removal the same
// index holds the row from above and is scanned again. The index is signed:
// a piece at row 0 ends the scan at -1.
int ClearRows(BlocksState& s, Painter& painter) {
  s.lines = 0;
  for (int row = s.y + s.height - 1; row >= s.y;) {
    if (!RowFull(s, row)) {
      --row;
      continue;
    }
    ++s.lines;
    s.score += s.lines;
    if (s.score / 100 != s.hundredsSeen) {
      s.hundredsSeen = s.score / 100;
      --s.level;
    }
    RemoveRow(s, row);
  }
  s.fallInterval = s.level;
  painter.Score(s.score);
  return s.lines;
}

void Land(BlocksState& s, Painter& painter, const RandomSource& random) {
  s.grace = false;
  Restore(s);
  PutIn(s);
  DrawArea(s, painter, s.x, s.y);
  if (s.y < s.topRow) s.topRow = s.y;
  const int cleared = ClearRows(s, painter);
  if (cleared > 0) {
    painter.BoardArea(s.board, 0, s.topRow, kColumns, kRows - s.topRow);
    s.topRow += cleared;
  }
  Spawn(s, painter, random);
}

void Validate(BlocksState& s, Painter& painter, const RandomSource& random) {
  const bool ok = CheckPosition(s);
  if (!ok && s.y != s.acceptedY) {
    if (s.grace) {
      Land(s, painter, random);
      return;
    }
    s.grace = true;
  }
  if (ok) {
    DrawArea(s, painter, s.drawnX, s.drawnY);
    Accept(s);
  } else {
    Restore(s);
  }
  PutIn(s);
  DrawArea(s, painter, s.x, s.y);
  s.moved = false;
}

// Columns 4 and 5, rows 0 to the piece's height, are where a new piece
// starts.
bool SpawnColumnsBlocked(const BlocksState& s) {
  for (int r = 0; r <= s.height; ++r) {
    if (s.board[kSpawnX][r] || s.board[kSpawnX + 1][r]) return true;
  }
  return false;
}

}  // namespace

Grid ExpandShape(int shape, int rotation) {
  const PieceEntry& entry = kPieceTable[shape][rotation];
  const uint16_t bits = uint16_t(entry.bits0 << 8 | entry.bits1);
  Grid grid{};
  for (int r = 0; r < kGridSize; ++r) {
    for (int c = 0; c < kGridSize; ++c) grid[c][r] = (bits >> (15 - 4 * r - c)) & 1;
  }
  return grid;
}

bool Fits(const BlocksState& s, int x, int y) {
  if (y + s.height > kRows) return false;
  for (int c = 0; c < kGridSize; ++c) {
    for (int r = 0; r < kGridSize; ++r) {
      if (!s.cells[c][r]) continue;
      if (!InBoard(x + c, y + r) || s.board[x + c][y + r]) return false;
    }
  }
  return true;
}

bool CheckPosition(BlocksState& s) {
  bool ok = true;
  // x is unsigned: a step left from column 0 gives 255, far past the wall.
  if (s.x != s.acceptedX && (s.x + s.width > kColumns || !Fits(s, s.x, s.y))) ok = false;
  if (s.rotation != s.acceptedRotation) {
    Expand(s);
    if (s.x + s.width > kColumns) s.x = uint8_t(kColumns - s.width);
    if (!Fits(s, s.x, s.y)) ok = false;
  }
  if (s.y != s.acceptedY && !Fits(s, s.x, s.y)) ok = false;
  return ok;
}

void NewGame(BlocksState& s, Painter& painter, const RandomSource& random) {
  s.board = Board{};
  s.x = kSpawnX;
  s.y = 0;
  s.acceptedX = kSpawnX - 1;
  s.acceptedY = 0;
  s.acceptedRotation = 0;
  s.drawnX = s.x;
  s.drawnY = s.y;
  s.topRow = kRows;
  s.lines = 0;
  // The score starts again with the game; a kept 600 would end it at once.
  s.score = 0;
  s.hundredsSeen = 0;
  s.level = kStartLevel;
  s.fallInterval = kStartLevel;
  s.ticks = 0;
  s.moved = false;
  s.grace = false;
  DrawNext(s, painter, random);
  s.shape = uint8_t(random() % kShapes);
  s.rotation = uint8_t(random() & 3);
  Expand(s);
}

void Spawn(BlocksState& s, Painter& painter, const RandomSource& random) {
  s.shape = s.nextShape;
  s.rotation = s.nextRotation;
  DrawNext(s, painter, random);
  Expand(s);
  s.x = kSpawnX;
  s.y = 0;
  // The new piece is checked against where it starts, not against where the
  // last one landed: undoing a failed first move must bring it back here.
  Accept(s);
  // A new piece that does not fit would later be taken out of the board
  // together with the blocks it covers.
  if (SpawnColumnsBlocked(s) || !Fits(s, s.x, s.y)) s.topRow = 0;
}

void PressKey(BlocksState& s, uint32_t virtualKey) {
  if (virtualKey == kEnter) {
    // The counter grew during the pause; the piece starts its interval anew.
    if (s.paused) {
      s.paused = false;
      s.ticks = 0;
    } else if (s.running) {
      s.paused = true;
    }
    return;
  }
  switch (virtualKey) {
    case kLeft:
      s.action = Action::kLeft;
      break;
    case kUp:
      s.action = Action::kRotate;
      break;
    case kRight:
      s.action = Action::kRight;
      break;
    case kDown:
      s.action = Action::kDrop;
      break;
    default:
      return;
  }
  if (s.paused) {
    s.paused = false;
    s.ticks = 0;
  }
}

void Tick(BlocksState& s) { ++s.ticks; }

StepResult Step(BlocksState& s, Painter& painter, const RandomSource& random) {
  if (s.paused) return StepResult::kPlaying;
  if (!s.running) {
    painter.Background();
    painter.Score(0);
    NewGame(s, painter, random);
    s.running = true;
  }
  if (GameOver(s)) return StepResult::kGameOver;
  ApplyAction(s, painter);
  Gravity(s);
  if (s.moved) Validate(s, painter, random);
  return StepResult::kPlaying;
}

bool GameWon(const BlocksState& s) { return s.level < kWinLevel || s.score >= kWinScore; }

bool GameOver(const BlocksState& s) { return s.topRow == 0 || GameWon(s); }

GameResult EndGame(BlocksState& s) {
  const bool won = GameWon(s);
  if (won) ++s.level;
  s.running = false;
  return {won, s.score, 10 - s.level};
}

}  // namespace blocks
