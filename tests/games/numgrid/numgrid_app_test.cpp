// The number grid in the whole host on the held virtual clock: the ways out,
// the refusal box, erasing a given digit, and the level dialog's OK and
// Cancel.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "games/numgrid/numgrid.h"
#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_puzzles.h"
#include "host/device_api.h"
#include "platform/sys/msgbox.h"
#include "tests/games/support/game_end.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"

namespace {

using namespace numgrid;
using testsupport::Snapshot;

// A pressed button shows for 180 ms before the game goes on.
constexpr int kPressMs = 180;

// Where to click: a board cell, a palette digit, the middle of a hit area.
std::pair<int, int> CellPoint(CellPos at) { return {CellX(at.column) + 12, CellY(at.row) + 12}; }
std::pair<int, int> DigitPoint(int digit) { return {PaletteX(digit) + 12, kPaletteTop + 12}; }
std::pair<int, int> Middle(const Area& area) {
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

class NumGridAppTest : public ::testing::Test {
 protected:
  void Click(std::pair<int, int> point) { host.Click(point.first, point.second); }
  // A button, and the time its pressed picture shows.
  void Press(Button button) {
    Click(Middle(kButtonHit[int(button) - 1]));
    host.Advance(kPressMs);
  }

  const NumGridState& state() const { return GetNumGridState(); }

  // The first empty cell where `digit` is refused, or allowed.
  CellPos FindCell(bool refused, int* digit) const {
    for (int i = 0; i < kPuzzleCells; ++i) {
      const CellPos at{i % kGridSize + 1, i / kGridSize + 1};
      for (int d = 1; d <= kGridSize; ++d) {
        const Placement placement = CanPlace(state(), at, d);
        if (placement == Placement::kOccupied) break;
        if ((placement != Placement::kAllowed) == refused) {
          *digit = d;
          return at;
        }
      }
    }
    ADD_FAILURE() << "no such cell";
    return {1, 1};
  }

  // The player's digit on an empty cell where it is allowed.
  CellPos PlaceSomeDigit() {
    int digit = 0;
    const CellPos at = FindCell(false, &digit);
    Click(DigitPoint(digit));
    Click(CellPoint(at));
    EXPECT_EQ(CellOf(state(), at).digit, digit);
    return at;
  }

  // Whether the board holds what `fill` makes of the game's cells.
  template <typename Fill>
  bool BoardIs(Fill fill) const {
    NumGridState expected = state();
    fill(expected);
    return std::memcmp(expected.cells, state().cells, sizeof expected.cells) == 0;
  }

  // The index of the puzzle on the board, or -1.
  int DealtPuzzle() const {
    for (int index = 0; index < kPuzzleCount; ++index) {
      if (BoardIs([index](NumGridState& s) { DealPuzzle(s, kPuzzles[index]); })) return index;
    }
    return -1;
  }

  // The host's screen again, and nothing left behind.
  void ExpectLeft() {
    EXPECT_TRUE(gamestest::ExpectEnded(host).empty()) << "no leak report";
    EXPECT_EQ(hostScreen.width, 320);
  }

  testsupport::HostRun host{testsupport::ThenWait<NumGridMain>};
};

TEST_F(NumGridAppTest, EscapeRestoresTheScreenAndLeavesNothingBehind) {
  host.KeyDown(kKeyEscape);
  ExpectLeft();
}

// Through a game and the dialog first: neither leaves anything.
TEST_F(NumGridAppTest, ExitAfterAGameAndTheDialogRestoresTheScreenAndLeavesNothingBehind) {
  Press(Button::kNew);
  Press(Button::kLevel);
  host.KeyDown(kKeyEscape);
  host.Advance(kPressMs);
  Press(Button::kExit);
  ExpectLeft();
}

TEST_F(NumGridAppTest, ARefusalShowsTheBoxAndAGivenDigitCannotBeErased) {
  const std::vector<uint32_t> empty = Snapshot();
  Press(Button::kNew);
  const std::vector<uint32_t> dealt = Snapshot();
  EXPECT_NE(dealt, empty);
  // Ticks come and change nothing.
  host.Advance(3000);
  EXPECT_EQ(Snapshot(), dealt);

  int refused = 0;
  const CellPos at = FindCell(true, &refused);
  Click(DigitPoint(refused));
  const std::vector<uint32_t> selected = Snapshot();
  Click(CellPoint(at));
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "该处无法下子！");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(boxes[0].type, plat::MB_OK);
  EXPECT_EQ(CellOf(state(), at).digit, 0);
  EXPECT_EQ(Snapshot(), selected);

  CellPos given{1, 1};
  while (CellOf(state(), given).editable) given.column++;
  const int digit = CellOf(state(), given).digit;
  Press(Button::kErase);
  Click(CellPoint(given));
  EXPECT_EQ(CellOf(state(), given).digit, digit);
  EXPECT_EQ(state().eraseMode, 0);
  EXPECT_EQ(Snapshot(), dealt);
}

TEST_F(NumGridAppTest, CancelInTheLevelDialogKeepsTheGameAndOkEmptiesTheBoardForTheNewLevel) {
  const std::vector<uint32_t> empty = Snapshot();
  const struct {
    int level;
    std::function<void()> close;
    bool ok;
    int first, last;  // the puzzles New deals after
  } cases[] = {
      {3, [this] { host.KeyDown(kKeyEscape); }, false, 0, 19},
      {3, [this] { Click(Middle(kCancelHit)); }, false, 0, 19},
      {4, [this] { Click(Middle(kOkHit)); }, true, 81, 100},
      {2, [this] { host.KeyDown(kKeyEnter); }, true, 20, 49},
      {5, [this] { Click(Middle(kOkHit)); }, true, 101, 201},
  };
  int level = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    Press(Button::kNew);
    PlaceSomeDigit();
    const std::vector<uint32_t> before = Snapshot();
    Press(Button::kLevel);
    const std::vector<uint32_t> dialog = Snapshot();
    EXPECT_NE(dialog, before);
    Click(Middle(kLevelHit[c.level - 1]));
    EXPECT_NE(Snapshot(), dialog);
    // Clicks beside the buttons and other keys do nothing.
    Click({120, 110});
    host.KeyDown(kKeyDown);
    c.close();
    host.Advance(kPressMs);
    if (c.ok) level = c.level;
    EXPECT_EQ(state().level, level);
    EXPECT_EQ(BoardIs(ClearBoard), c.ok);
    EXPECT_EQ(Snapshot(), c.ok ? empty : before);
    Press(Button::kNew);
    EXPECT_GE(DealtPuzzle(), c.first);
    EXPECT_LE(DealtPuzzle(), c.last);
  }
}

}  // namespace
