// The falling-blocks rules on crafted states: pieces, moves, landing,
// scoring and levels, the end of a game, the start of a piece, keys.

#include "games/blocks/blocks_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace blocks {
namespace {

constexpr uint32_t kEnter = 13, kLeft = 37;

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

  // The upright bar lands in column 0 of rows 16 to 19, where the bottom
  // `rows` rows are full but for column 0, at the score and level value
  // given.
  void LandBar(int rows, int score, int level) {
    for (int r = kRows - rows; r < kRows; ++r) FillRow(s, r, 1);
    Place(0, 0, 0, 16);
    s.topRow = 16;
    s.score = score;
    s.hundredsSeen = score / 100;
    s.level = s.fallInterval = level;
    LandPiece();
  }

  BlocksState s;
  RecordingPainter painter;
  RandomSource random = [] { return 0; };
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
      Grid expected{};
      int row = 0, column = 0, width = 0;
      for (const char* p = kShapePictures[shape][rotation]; *p; ++p) {
        if (*p == '/') {
          ++row, column = 0;
          continue;
        }
        expected[column][row] = *p == 'X';
        width = std::max(width, ++column);
      }
      EXPECT_EQ(ExpandShape(shape, rotation), expected) << shape << "/" << rotation;
      EXPECT_EQ(kPieceTable[shape][rotation].height, row + 1) << shape << "/" << rotation;
      EXPECT_EQ(kPieceTable[shape][rotation].width, width) << shape << "/" << rotation;
    }
  }
}

TEST_F(BlocksRulesTest, MovesPastTheWallsOrOntoABlockKeepThePiece) {
  struct Case {
    int shape, rotation, x;
    Action action;
    int blockColumn = -1;  // a block in the piece's row 5
  };
  // Left from column 0 wraps the unsigned x to 255; right would end past 10;
  // the upright bar against the right wall, turned, is pulled back onto a block.
  for (const Case& c : {Case{0, 0, 0, Action::kLeft}, Case{0, 1, 6, Action::kRight},
                        Case{3, 1, 7, Action::kRight}, Case{1, 0, 0, Action::kLeft},
                        Case{0, 0, 9, Action::kRotate, 6}}) {
    s = BlocksState{};
    Place(c.shape, c.rotation, c.x, 5);
    if (c.blockColumn >= 0) s.board[c.blockColumn][5] = 1;
    const Board before = s.board;
    Act(c.action);
    EXPECT_EQ(s.x, c.x);
    EXPECT_EQ(s.rotation, c.rotation);
    EXPECT_EQ(s.board, before);
    EXPECT_FALSE(s.moved);
  }
}

TEST_F(BlocksRulesTest, APieceLandsOneIntervalAfterItCouldNotFallAndTheNextStartsAtItsPlace) {
  // A square on the floor, far left; the lying bar after it starts at
  // column 4, and a block in column 3 stops its first move.
  Place(1, 0, 0, 18);
  s.topRow = 18;
  s.nextShape = 0;
  s.nextRotation = 1;
  s.board[3][0] = 1;
  Ticks(s.fallInterval - 1);
  EXPECT_FALSE(s.grace);
  Ticks(1);
  EXPECT_TRUE(s.grace);
  EXPECT_EQ(s.y, 18);
  Ticks(s.fallInterval - 1);
  EXPECT_EQ(s.y, 18) << "still falling";
  Ticks(1);
  EXPECT_FALSE(s.grace);
  ASSERT_EQ(s.shape, 0);
  EXPECT_EQ(s.y, 0) << "the next piece has started";
  EXPECT_EQ(s.topRow, 18);
  // The failed move leaves the bar at its start, not where the square landed.
  Act(Action::kLeft);
  EXPECT_FALSE(s.grace);
  EXPECT_EQ(s.x, 4);
  EXPECT_EQ(s.y, 0);
  EXPECT_EQ(s.board[4][0] + s.board[5][0] + s.board[6][0] + s.board[7][0], 4);
  EXPECT_EQ(s.board[0][18] + s.board[1][18] + s.board[0][19] + s.board[1][19], 4);
  EXPECT_EQ(CountBlocks(s.board), 9);
}

TEST_F(BlocksRulesTest, RowsClearedAtOnceScoreOneThreeSixTenAndEveryHundredLowersTheLevelValue) {
  const struct {
    int rows, score, level, score2, level2;
  } cases[] = {{1, 0, 9, 1, 9},    {2, 0, 9, 3, 9},     {3, 0, 9, 6, 9},     {4, 0, 9, 10, 9},
               {1, 99, 9, 100, 8}, {2, 198, 8, 201, 7}, {4, 95, 9, 105, 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows at " << c.score);
    s = BlocksState{};
    painter = {};
    LandBar(c.rows, c.score, c.level);
    EXPECT_EQ(s.score, c.score2);
    EXPECT_EQ(s.lines, c.rows);
    EXPECT_EQ(s.level, c.level2);
    EXPECT_EQ(s.fallInterval, c.level2);
    // What is left of the bar has moved down to the bottom, and the rows
    // from the old top row down are drawn again.
    EXPECT_EQ(CountBlocks(s.board), 4 - c.rows);
    for (int r = kRows - (4 - c.rows); r < kRows; ++r) EXPECT_EQ(s.board[0][r], 1);
    EXPECT_EQ(s.topRow, 16 + c.rows);
    EXPECT_EQ(painter.areas.back(), (RecordingPainter::Area{0, 16, kColumns, 4}));
  }
}

TEST_F(BlocksRulesTest, SixHundredPointsOrALevelValueBelowFourWin) {
  LandBar(1, 599, 4);
  EXPECT_EQ(s.score, 600);
  EXPECT_EQ(Act(Action::kNone), StepResult::kGameOver);
  const GameResult result = EndGame(s);
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
}

TEST_F(BlocksRulesTest, ABlockedStartLosesTheGameWithTheBoardIntact) {
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
    const GameResult result = EndGame(s);
    EXPECT_FALSE(result.won);
    EXPECT_EQ(result.level, 1);
  }
  // Below that, the piece starts.
  s = BlocksState{};
  s.nextShape = 1;
  s.board[4][3] = s.board[8][0] = 1;
  s.topRow = 3;
  Spawn(s, painter, random);
  EXPECT_EQ(s.topRow, 3);
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

TEST_F(BlocksRulesTest, EnterPausesOnlyARunningGameAndAnyKeyThatGoesOnLetsThePieceFall) {
  PressKey(s, kEnter);
  EXPECT_FALSE(s.paused);
  // The arrows are played in the blocks replay; other keys do nothing.
  s.running = true;
  PressKey(s, 'A');
  EXPECT_EQ(s.action, Action::kNone);
  // A pause longer than an interval ends with the piece falling again.
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

TEST_F(BlocksRulesTest, TheFirstStepStartsAFreshGame) {
  s.score = 600;  // a won game's score and level must not carry over
  s.level = s.fallInterval = 3;
  s.board[3][3] = 1;
  EXPECT_EQ(Step(s, painter, random), StepResult::kPlaying);
  EXPECT_TRUE(s.running);
  EXPECT_EQ(painter.calls, (std::vector<std::string>{"background", "score 0", "preview"}));
  EXPECT_EQ(s.score, 0);
  EXPECT_EQ(CountBlocks(s.board), 0);
  EXPECT_EQ(s.topRow, 20);
  EXPECT_EQ(s.level, kStartLevel);
  EXPECT_EQ(s.fallInterval, kStartLevel);
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
