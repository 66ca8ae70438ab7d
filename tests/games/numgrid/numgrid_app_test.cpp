// The number grid in the whole host, in process, on the held virtual clock:
// the screen mode and what is left after every way out, the refusal box,
// the level dialog's OK and Cancel, and what the board shows.

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
#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"

namespace {

using namespace numgrid;
using testsupport::HostRun;
using testsupport::Snapshot;

// A pressed button shows for 180 ms before the game goes on.
constexpr int kPressMs = 180;

// Where to click: a board cell, a palette digit, a bar button, a level.
std::pair<int, int> CellPoint(CellPos at) { return {CellX(at.column) + 12, CellY(at.row) + 12}; }
std::pair<int, int> DigitPoint(int digit) { return {PaletteX(digit) + 12, kPaletteTop + 12}; }
std::pair<int, int> ButtonPoint(Button button) {
  const Area& area = kButtonHit[int(button) - 1];
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}
std::pair<int, int> LevelPoint(int level) {
  const Area& area = kLevelHit[level - 1];
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}
constexpr std::pair<int, int> kOkPoint{72, 297};
constexpr std::pair<int, int> kCancelPoint{165, 297};

// Messages pending 5 s after the game returned; -1 until then.
int pendingAfterEnd = -1;

void PlayThenWait() {
  NumGridMain();
  DelayMs(5000);
  pendingAfterEnd = MsgPendingCount();
}

void PlayWithoutPackage() {
  NumGridUsePackage("..\\Games\\numgrid\\missing.dat");
  PlayThenWait();
}

class NumGridAppTest : public ::testing::Test {
 protected:
  void Click(std::pair<int, int> point) { host.Click(point.first, point.second); }
  // A button, and the time its pressed picture shows.
  void Press(Button button) {
    Click(ButtonPoint(button));
    host.Advance(kPressMs);
  }

  const NumGridState& state() const { return GetNumGridState(); }

  // The first empty cell where `digit` is refused, or allowed.
  CellPos FindCell(bool refused, int* digit) const {
    for (int row = 1; row <= kGridSize; ++row) {
      for (int column = 1; column <= kGridSize; ++column) {
        for (int d = 1; d <= kGridSize; ++d) {
          const Placement placement = CanPlace(state(), {column, row}, d);
          if (placement == Placement::kOccupied) break;
          if ((placement != Placement::kAllowed) == refused) {
            *digit = d;
            return {column, row};
          }
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

  // The index of the puzzle on the board, or -1.
  int DealtPuzzle() const {
    for (int index = 0; index < kPuzzleCount; ++index) {
      bool same = true;
      for (int i = 0; i < kPuzzleCells && same; ++i) {
        const Cell& cell = CellOf(state(), {i % kGridSize + 1, i / kGridSize + 1});
        same = cell.digit == kPuzzles[index][i] && cell.editable == (kPuzzles[index][i] == 0);
      }
      if (same) return index;
    }
    return -1;
  }

  bool BoardEmpty() const {
    NumGridState empty = state();
    ClearBoard(empty);
    return std::memcmp(empty.cells, state().cells, sizeof empty.cells) == 0;
  }

  HostRun host{NumGridMain};
};

std::vector<std::pair<int, int>> Modes(const HostRun& host) {
  std::vector<std::pair<int, int>> sizes;
  for (const auto& mode : host.viewer->Records<ScreenModeRecord>(kScreenModeCopyData)) {
    sizes.emplace_back(mode.width, mode.height);
  }
  return sizes;
}

struct ExitPath {
  const char* name;
  void (*entry)();
  std::function<void(HostRun&)> leave;
  std::vector<std::string> boxes;
};

TEST(NumGridExit, EveryWayOutRestoresTheScreenAndLeavesNothingBehind) {
  const std::string missing = "..\\Games\\numgrid\\missing.dat";
  const ExitPath paths[] = {
      {"Escape", PlayThenWait, [](HostRun& host) { host.KeyDown(kKeyEscape); }, {}},
      {"Exit button",
       PlayThenWait,
       [](HostRun& host) {
         // Through a game and the dialog first: neither leaves anything.
         host.Click(30, 298);
         host.Advance(kPressMs);
         host.Click(146, 298);
         host.Advance(kPressMs);
         host.KeyDown(kKeyEscape);
         host.Advance(kPressMs);
         host.Click(200, 298);
       },
       {}},
      {"missing package", PlayWithoutPackage, [](HostRun&) {}, {"无法打开资源包："}},
  };
  for (const ExitPath& path : paths) {
    SCOPED_TRACE(path.name);
    pendingAfterEnd = -1;
    HostRun host(path.entry);
    path.leave(host);
    host.Advance(kPressMs);
    host.Advance(5000);
    host.Join();
    EXPECT_EQ(pendingAfterEnd, 0);
    const std::vector<std::pair<int, int>> modes = {{240, 320}, {320, 240}};
    EXPECT_EQ(Modes(host), modes);
    EXPECT_EQ(hostScreen.width, 320);
    EXPECT_EQ(hostScreen.height, 240);
    // No leak report: the only box is the missing package's, naming it.
    const std::vector<std::string> texts = testsupport::MessageBoxTexts();
    ASSERT_EQ(texts.size(), path.boxes.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].rfind(path.boxes[i], 0), 0u) << texts[i];
      EXPECT_NE(texts[i].find("bin/" + missing), std::string::npos) << texts[i];
    }
  }
}

TEST_F(NumGridAppTest, ARefusalShowsTheBoxAndChangesNothing) {
  Press(Button::kNew);
  int digit = 0;
  const CellPos at = FindCell(true, &digit);
  Click(DigitPoint(digit));
  const std::vector<uint32_t> before = Snapshot();
  Click(CellPoint(at));
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "该处无法下子！");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(boxes[0].type, plat::MB_OK);
  EXPECT_EQ(CellOf(state(), at).digit, 0);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(NumGridAppTest, AnErasedDigitLeavesTheCellAsBeforeAndAGivenOneStays) {
  const std::vector<uint32_t> empty = Snapshot();
  Press(Button::kNew);
  ASSERT_GE(DealtPuzzle(), 0);
  ASSERT_LT(DealtPuzzle(), 20);
  const std::vector<uint32_t> dealt = Snapshot();
  EXPECT_NE(dealt, empty);
  // Ticks come and change nothing.
  host.Advance(3000);
  EXPECT_EQ(Snapshot(), dealt);

  const CellPos at = PlaceSomeDigit();
  EXPECT_NE(Snapshot(), dealt);
  Press(Button::kErase);
  EXPECT_EQ(state().eraseMode, 1);
  Click(CellPoint(at));
  EXPECT_EQ(CellOf(state(), at).digit, 0);
  EXPECT_EQ(Snapshot(), dealt);

  CellPos given{1, 1};
  while (CellOf(state(), given).editable) given.column++;
  const int digit = CellOf(state(), given).digit;
  Press(Button::kErase);
  Click(CellPoint(given));
  EXPECT_EQ(CellOf(state(), given).digit, digit);
  EXPECT_EQ(state().eraseMode, 0);
  EXPECT_EQ(Snapshot(), dealt);
}

TEST_F(NumGridAppTest, CancelInTheLevelDialogRestoresTheScreenAndKeepsTheLevel) {
  const std::function<void()> cancels[] = {
      [this] { host.KeyDown(kKeyEscape); },
      [this] { Click(kCancelPoint); },
  };
  Press(Button::kNew);
  PlaceSomeDigit();
  for (const auto& cancel : cancels) {
    const std::vector<uint32_t> before = Snapshot();
    Press(Button::kLevel);
    const std::vector<uint32_t> dialog = Snapshot();
    EXPECT_NE(dialog, before);
    Click(LevelPoint(3));
    EXPECT_NE(Snapshot(), dialog);
    // Clicks beside the buttons and other keys do nothing.
    Click({120, 110});
    host.KeyDown(kKeyDown);
    cancel();
    host.Advance(kPressMs);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(state().level, 1);
  }
  // The game goes on: New still deals a level-1 puzzle.
  Press(Button::kNew);
  EXPECT_LT(DealtPuzzle(), 20);
  EXPECT_GE(DealtPuzzle(), 0);
}

TEST_F(NumGridAppTest, OkLeavesAnEmptyBoardAndNewThenDealsThatLevel) {
  const std::vector<uint32_t> empty = Snapshot();
  const struct {
    int level;
    std::function<void()> ok;
    int first, last;
  } cases[] = {
      {4, [this] { Click(kOkPoint); }, 81, 100},
      {2, [this] { host.KeyDown(kKeyEnter); }, 20, 49},
      {5, [this] { Click(kOkPoint); }, 101, 201},
  };
  for (const auto& c : cases) {
    Press(Button::kNew);
    PlaceSomeDigit();
    Press(Button::kLevel);
    Click(LevelPoint(c.level));
    c.ok();
    host.Advance(kPressMs);
    EXPECT_EQ(state().level, c.level);
    EXPECT_TRUE(BoardEmpty());
    EXPECT_EQ(Snapshot(), empty);
    Press(Button::kNew);
    const int dealt = DealtPuzzle();
    EXPECT_GE(dealt, c.first);
    EXPECT_LE(dealt, c.last);
  }
}

}  // namespace
