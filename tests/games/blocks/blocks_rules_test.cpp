// The falling-blocks rules on crafted states: the piece table, moves at the
// walls, falling and landing, scoring and levels, the end of a game, the
// start of a piece and the pause.

#include "games/blocks/blocks_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace blocks {
namespace {

constexpr uint32_t kEnter = 13, kLeft = 37, kUp = 38, kDown = 40;

// What the rules asked to draw, in order.
struct RecordingPainter final : Painter {
  struct Area {
    int x, y, w, h;
    bool operator==(const Area&) const = default;
  };
  void Background() override { calls.push_back("background"); }
  void Score(int32_t score) override { calls.push_back("score " + std::to_string(score)); }
  void Preview(const Grid&) override { calls.push_back("preview"); }
  void BoardArea(const Board&, int x, int y, int w, int h) override {
    calls.push_back("area");
    areas.push_back({x, y, w, h});
  }
  std::vector<std::string> calls;
  std::vector<Area> areas;
};

// Hands out `values` in turn, then zeros.
RandomSource Scripted(std::vector<int32_t> values) {
  return [values, next = std::size_t(0)]() mutable { return next < values.size() ? values[next++] : 0; };
}

int CountBlocks(const Board& board) {
  int n = 0;
  for (const auto& column : board) {
    for (uint8_t cell : column) n += cell;
  }
  return n;
}

void FillRow(BlocksState& s, int row, int fromColumn) {
  for (int c = fromColumn; c < kColumns; ++c) s.board[c][row] = 1;
}

class BlocksRulesTest : public ::testing::Test {
 protected:
  // A running game whose falling piece sits, accepted and drawn, at (x, y);
  // the next piece is a square.
  void Place(int shape, int rotation, int x, int y) {
    s.running = true;
    s.shape = uint8_t(shape);
    s.rotation = uint8_t(rotation);
    s.cells = ExpandShape(shape, rotation);
    s.height = kPieceTable[shape][rotation].height;
    s.width = kPieceTable[shape][rotation].width;
    s.x = s.acceptedX = s.drawnX = uint8_t(x);
    s.y = s.acceptedY = s.drawnY = uint8_t(y);
    s.acceptedRotation = uint8_t(rotation);
    s.nextShape = 1;
    s.nextCells = ExpandShape(1, 0);
    for (int c = 0; c < kGridSize; ++c) {
      for (int r = 0; r < kGridSize; ++r) {
        if (s.cells[c][r]) s.board[x + c][y + r] = 1;
      }
    }
  }

  StepResult Act(Action action) {
    s.action = action;
    const StepResult result = Step(s, painter, random);
    s.action = Action::kNone;
    return result;
  }

  // Timer ticks, each followed by a step, as the game's loop runs them.
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      Tick(s);
      Step(s, painter, random);
    }
  }

  // Lets the piece try to fall twice: once into the grace, once to land.
  void LandPiece() { Ticks(2 * s.fallInterval); }

  BlocksState s;
  RecordingPainter painter;
  RandomSource random = Scripted({});
};

// The table as pictures, rows top to bottom: X a block.
const char* const kShapePictures[kShapes][kRotations] = {
    {"X/X/X/X", "XXXX", "X/X/X/X", "XXXX"},
    {"XX/XX", "XX/XX", "XX/XX", "XX/XX"},
    {".X/XX/X.", "XX./.XX", ".X/XX/X.", "XX./.XX"},
    {"X./XX/X.", "XXX/.X.", ".X/XX/.X", ".X./XXX"},
    {"XX/X./X.", "X../XXX", ".X/.X/XX", "XXX/..X"},
    {"XX/.X/.X", "XXX/X..", "X./X./XX", "..X/XXX"},
    {"X./XX/.X", ".XX/XX.", "X./XX/.X", ".XX/XX."},
};

TEST(BlocksPieces, EveryShapeAndRotationExpandsToItsPicture) {
  for (int shape = 0; shape < kShapes; ++shape) {
    for (int rotation = 0; rotation < kRotations; ++rotation) {
      const Grid grid = ExpandShape(shape, rotation);
      std::string picture;
      int height = 0, width = 0;
      for (int r = 0; r < kGridSize; ++r) {
        std::string row;
        for (int c = 0; c < kGridSize; ++c) row += grid[c][r] ? 'X' : '.';
        const auto last = row.find_last_of('X');
        if (last == std::string::npos) continue;
        height = r + 1;
        width = std::max(width, int(last) + 1);
        picture += (picture.empty() ? "" : "/") + row;
      }
      // Rows are cut to the piece's width for the comparison.
      std::string expected = kShapePictures[shape][rotation], cut;
      for (std::size_t start = 0; start <= picture.size();) {
        const std::size_t end = std::min(picture.find('/', start), picture.size());
        cut += (cut.empty() ? "" : "/") + picture.substr(start, std::size_t(width));
        start = end + 1;
      }
      EXPECT_EQ(cut, expected) << "shape " << shape << " rotation " << rotation;
      EXPECT_EQ(height, kPieceTable[shape][rotation].height) << shape << "/" << rotation;
      EXPECT_EQ(width, kPieceTable[shape][rotation].width) << shape << "/" << rotation;
    }
  }
}

TEST_F(BlocksRulesTest, MovesPastTheWallsKeepThePiece) {
  struct Case {
    int shape, rotation, x;
    Action action;
  };
  // Left from column 0 wraps the unsigned x to 255; right would end past 10.
  for (const Case& c : {Case{0, 0, 0, Action::kLeft}, Case{0, 1, 6, Action::kRight},
                        Case{3, 1, 7, Action::kRight}, Case{1, 0, 0, Action::kLeft}}) {
    s = BlocksState{};
    Place(c.shape, c.rotation, c.x, 5);
    const Board before = s.board;
    Act(c.action);
    EXPECT_EQ(s.x, c.x);
    EXPECT_EQ(s.board, before);
    EXPECT_FALSE(s.moved);
  }
  // Inside the walls the move is taken.
  s = BlocksState{};
  Place(0, 1, 5, 5);
  Act(Action::kLeft);
  EXPECT_EQ(s.x, 4);
  EXPECT_EQ(s.acceptedX, 4);
  EXPECT_EQ(CountBlocks(s.board), 4);
}

TEST_F(BlocksRulesTest, RotationAtTheRightWallPullsBackAndFailsOnlyOnACollision) {
  Place(0, 0, 9, 5);  // the upright bar against the right wall
  Act(Action::kRotate);
  EXPECT_EQ(s.rotation, 1);
  EXPECT_EQ(s.x, 6);
  EXPECT_EQ(s.board[6][5] + s.board[7][5] + s.board[8][5] + s.board[9][5], 4);
  EXPECT_EQ(CountBlocks(s.board), 4);

  s = BlocksState{};
  Place(0, 0, 9, 5);
  s.board[6][5] = 1;  // where the pulled-back bar would lie
  const Board before = s.board;
  Act(Action::kRotate);
  EXPECT_EQ(s.rotation, 0);
  EXPECT_EQ(s.x, 9);
  EXPECT_EQ(s.board, before);
}

TEST_F(BlocksRulesTest, APieceThatCannotFallLandsOneIntervalLater) {
  Place(1, 0, 4, 18);  // a square on the floor
  Ticks(s.fallInterval - 1);
  EXPECT_FALSE(s.grace);
  Ticks(1);
  EXPECT_TRUE(s.grace);
  EXPECT_EQ(s.y, 18);
  Ticks(s.fallInterval - 1);
  EXPECT_EQ(s.y, 18) << "still falling";
  Ticks(1);
  EXPECT_FALSE(s.grace);
  EXPECT_EQ(s.y, 0) << "the next piece has started";
  EXPECT_EQ(s.board[4][18] + s.board[5][18] + s.board[4][19] + s.board[5][19], 4);
  EXPECT_EQ(s.topRow, 18);
}

TEST_F(BlocksRulesTest, RowsClearedAtOnceScoreOneThreeSixTen) {
  const int expected[] = {1, 3, 6, 10};
  for (int rows = 1; rows <= 4; ++rows) {
    s = BlocksState{};
    painter = {};
    for (int r = kRows - rows; r < kRows; ++r) FillRow(s, r, 1);
    Place(0, 0, 0, 16);  // the upright bar fills column 0 of rows 16-19
    s.topRow = 16;
    LandPiece();
    EXPECT_EQ(s.score, expected[rows - 1]) << rows;
    EXPECT_EQ(s.lines, rows);
    // What is left of the bar has moved down to the bottom.
    EXPECT_EQ(CountBlocks(s.board), 4 - rows);
    for (int r = kRows - (4 - rows); r < kRows; ++r) EXPECT_EQ(s.board[0][r], 1) << rows;
    EXPECT_EQ(s.topRow, 16 + rows);
    // The rows from the old top row down are drawn again.
    EXPECT_EQ(painter.areas.back(), (RecordingPainter::Area{0, 16, kColumns, 4}));
  }
}

TEST_F(BlocksRulesTest, EveryHundredPointsLowersTheLevelValueAndTheFallInterval) {
  struct Case {
    int score, level, rows, score2, level2;
  };
  for (const Case& c : {Case{0, 9, 1, 1, 9}, Case{99, 9, 1, 100, 8}, Case{198, 8, 2, 201, 7},
                        Case{95, 9, 4, 105, 8}}) {
    s = BlocksState{};
    for (int r = kRows - c.rows; r < kRows; ++r) FillRow(s, r, 1);
    Place(0, 0, 0, 16);
    s.score = c.score;
    s.hundredsSeen = c.score / 100;
    s.level = s.fallInterval = c.level;
    LandPiece();
    EXPECT_EQ(s.score, c.score2) << c.score;
    EXPECT_EQ(s.level, c.level2) << c.score;
    EXPECT_EQ(s.fallInterval, c.level2) << c.score;
  }
}

TEST_F(BlocksRulesTest, SixHundredPointsOrALevelValueBelowFourWin) {
  FillRow(s, 19, 1);
  Place(0, 0, 0, 16);
  s.score = 599;
  s.hundredsSeen = 5;
  s.level = s.fallInterval = 4;
  LandPiece();
  EXPECT_EQ(s.score, 600);
  EXPECT_EQ(Act(Action::kNone), StepResult::kGameOver);
  GameResult result = EndGame(s);
  EXPECT_TRUE(result.won);
  EXPECT_EQ(result.score, 600);
  EXPECT_EQ(result.level, 10 - 4) << "the level value 3 is raised by one";
  EXPECT_FALSE(s.running);

  s = BlocksState{};
  Place(1, 0, 4, 0);
  s.score = 350;
  s.level = 3;
  EXPECT_EQ(Act(Action::kNone), StepResult::kGameOver);
  EXPECT_TRUE(EndGame(s).won);

  s = BlocksState{};
  Place(1, 0, 4, 0);
  s.topRow = 0;
  EXPECT_EQ(Act(Action::kNone), StepResult::kGameOver);
  result = EndGame(s);
  EXPECT_FALSE(result.won);
  EXPECT_EQ(result.level, 1);
}

TEST_F(BlocksRulesTest, ABlockedStartEndsTheGameWithTheBoardIntact) {
  struct Case {
    int column, row;
  };
  // Columns 4 and 5 count down to the piece's height (the square's is 2);
  // a block anywhere under the new piece counts too.
  for (const Case& c : {Case{4, 0}, Case{5, 1}, Case{4, 2}, Case{6, 0}, Case{7, 0}}) {
    s = BlocksState{};
    s.running = true;
    // A square, or the lying bar over columns 4-7.
    s.nextShape = c.column < 6 ? 1 : 0;
    s.nextRotation = c.column < 6 ? 0 : 1;
    s.board[c.column][c.row] = 1;
    s.board[0][19] = 1;
    const Board before = s.board;
    Spawn(s, painter, random);
    EXPECT_EQ(s.topRow, 0) << c.column << "," << c.row;
    s.action = Action::kLeft;
    EXPECT_EQ(Step(s, painter, random), StepResult::kGameOver);
    EXPECT_EQ(s.board, before) << c.column << "," << c.row;
  }
  // Below that, the piece starts.
  s = BlocksState{};
  s.nextShape = 1;
  s.board[4][3] = s.board[8][0] = 1;
  s.topRow = 3;
  Spawn(s, painter, random);
  EXPECT_EQ(s.topRow, 3);
}

TEST_F(BlocksRulesTest, AFirstMoveThatFailsBringsTheNewPieceBackToItsStart) {
  // The square lands far left; the lying bar after it starts at column 4,
  // and a block in column 3 stops its first move. It must stay at the
  // start, not jump to where the square landed.
  Place(1, 0, 0, 18);
  s.topRow = 18;
  s.nextShape = 0;
  s.nextRotation = 1;
  s.board[3][0] = 1;
  LandPiece();
  ASSERT_EQ(s.shape, 0);
  Act(Action::kLeft);
  EXPECT_FALSE(s.grace);
  EXPECT_EQ(s.x, 4);
  EXPECT_EQ(s.y, 0);
  EXPECT_EQ(s.board[4][0] + s.board[5][0] + s.board[6][0] + s.board[7][0], 4);
  EXPECT_EQ(s.board[0][18] + s.board[1][18] + s.board[0][19] + s.board[1][19], 4);
  EXPECT_EQ(CountBlocks(s.board), 9);
}

TEST_F(BlocksRulesTest, RowsClearedAtTheTopOfTheBoard) {
  for (int r = 0; r < 4; ++r) FillRow(s, r, 1);
  s.board[0][4] = 1;  // holds the bar up
  Place(0, 0, 0, 0);
  s.topRow = 1;  // a top row of 0 would end the game before the bar lands
  LandPiece();
  EXPECT_EQ(s.score, 10);
  EXPECT_EQ(s.topRow, 4);
  EXPECT_EQ(CountBlocks(s.board), 1);
  EXPECT_EQ(s.board[0][4], 1);
  EXPECT_EQ(Act(Action::kNone), StepResult::kPlaying);
}

TEST_F(BlocksRulesTest, APauseLongerThanAnIntervalEndsWithThePieceFallingAgain) {
  for (uint32_t unpause : {kEnter, kLeft}) {
    s = BlocksState{};
    Place(1, 0, 4, 2);
    PressKey(s, kEnter);
    ASSERT_TRUE(s.paused);
    Ticks(3 * s.fallInterval + 1);
    EXPECT_EQ(s.y, 2);
    PressKey(s, unpause);
    EXPECT_FALSE(s.paused);
    EXPECT_EQ(s.ticks, 0);
    Act(s.action);
    Ticks(s.fallInterval - 1);
    EXPECT_EQ(s.y, 2);
    Ticks(1);
    EXPECT_EQ(s.y, 3) << unpause;
  }
}

TEST_F(BlocksRulesTest, AMoveWhenThePieceWasDueLetsItFallAtTheNextMessage) {
  Place(1, 0, 4, 2);
  s.ticks = s.fallInterval;
  Act(Action::kLeft);
  EXPECT_EQ(s.y, 2);
  Ticks(1);
  EXPECT_EQ(s.y, 3);
}

TEST_F(BlocksRulesTest, KeysChooseTheActionAndEnterPausesOnlyARunningGame) {
  PressKey(s, kEnter);
  EXPECT_FALSE(s.paused);
  s.running = true;
  for (auto [key, action] : {std::pair{kLeft, Action::kLeft}, {kUp, Action::kRotate},
                             {39u, Action::kRight}, {kDown, Action::kDrop}}) {
    PressKey(s, key);
    EXPECT_EQ(s.action, action);
  }
  s.action = Action::kNone;
  PressKey(s, 'A');
  EXPECT_EQ(s.action, Action::kNone);
}

TEST_F(BlocksRulesTest, TheFirstStepStartsAFreshGame) {
  s.score = 600;  // a won game's score must not carry over
  s.board[3][3] = 1;
  random = Scripted({13, 6, 9, 3});
  EXPECT_EQ(Step(s, painter, random), StepResult::kPlaying);
  EXPECT_TRUE(s.running);
  EXPECT_EQ(painter.calls, (std::vector<std::string>{"background", "score 0", "preview"}));
  EXPECT_EQ(s.score, 0);
  EXPECT_EQ(CountBlocks(s.board), 0);
  EXPECT_EQ(s.nextShape, 13 % 7);
  EXPECT_EQ(s.nextRotation, 6 & 3);
  EXPECT_EQ(s.shape, 9 % 7);
  EXPECT_EQ(s.rotation, 3 & 3);
  EXPECT_EQ(s.x, 4);
  EXPECT_EQ(s.acceptedX, 3);
  EXPECT_EQ(s.level, 9);
  EXPECT_EQ(s.fallInterval, 9);
  EXPECT_EQ(s.topRow, 20);
}

TEST_F(BlocksRulesTest, DropFallsEveryTickUntilAnotherMove) {
  Place(0, 1, 3, 0);
  Act(Action::kDrop);
  EXPECT_EQ(s.fallInterval, 1);
  Ticks(3);
  EXPECT_EQ(s.y, 3);
  Act(Action::kRight);
  EXPECT_EQ(s.fallInterval, s.level);
  // A gravity step erases the old place and draws the new one.
  painter = {};
  Ticks(s.fallInterval);
  EXPECT_EQ(painter.areas, (std::vector<RecordingPainter::Area>{{4, 3, 4, 1}, {4, 4, 4, 1}}));
}

}  // namespace
}  // namespace blocks
