// The slot screen and the yes/no question of saving and loading, on the
// virtual clock.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/lcd.h"
#include "host/msg.h"
#include "rpg/engine/ask_yes_no.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/slot_menu.h"
#include "tests/rpg/support/game_run.h"
#include "tests/support/golden.h"
#include "tests/support/scratch.h"

namespace {

using rpgtest::GameRun;
using rpgtest::TestLibrary;
using testsupport::MatchesGolden;
using testsupport::ReadFile;
using testsupport::WriteFile;

// A main file's first bytes: the map name, its terminator and a spare byte,
// the party ids.
std::string Head(const std::string& name, std::string ids) {
  return name + std::string(12 - name.size(), '\0') + ids;
}

// Slot 0 holds the hero and the companion on "Field", slot 1 a short file
// holding only "Hut", slot 2 nothing.
void WriteSlots() {
  WriteFile("../Save/saves0.sav", Head("Field", std::string("\x01\x02\x00", 3)) + std::string(2690, '\0'));
  WriteFile("../Save/saves2.sav", std::string("Hut\0\0", 5));
}

struct Keyed {
  const char* name;
  std::vector<uint32_t> keys;
  uint8_t result;
  uint8_t runStatus;
  uint8_t initial = kAnswerYes;  // the yes/no box's first highlight
};

// Each case's keys on `screen`: its answer and runStatus after.
void ExpectAnswers(const std::vector<Keyed>& cases, uint8_t (*screen)(const Keyed&)) {
  for (const Keyed& c : cases) {
    SCOPED_TRACE(c.name);
    uint8_t result = 0, status = 0;
    GameRun run([&] {
      result = screen(c);
      status = game.runStatus;
    }, TestLibrary("saves"));
    run.Keys(c.keys);
    ASSERT_TRUE(run.Finished());
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(status, c.runStatus);
  }
}

TEST(SlotMenuTest, KeysMoveTheBarWithWrapAndEndTheScreen) {
  const std::vector<Keyed> cases = {
      {"Down", {kKeyDown, kKeyEnter}, 1, 0},
      {"Up wraps to the last", {kKeyUp, kKeyEnter}, 2, 0},
      {"Down wraps to the first", {kKeyDown, kKeyDown, kKeyDown, kKeyEnter}, 0, 0},
      {"Left and Right do nothing", {kKeyRight, kKeyLeft, kKeyEnter}, 0, 0},
      {"Esc", {kKeyDown, kKeyEscape}, kSlotCancelled, 0},
      {"message 273", {kQuitMessage}, kSlotCancelled, kQuit},
  };
  ExpectAnswers(cases, [](const Keyed&) { return SlotMenu(kLoadScreen); });
}

TEST(SlotMenuTest, ShowsFacesAndMapNamesOfSavedSlotsAndEmptySlots) {
  struct Screen {
    uint8_t mode;
    std::vector<uint32_t> keys;
    const char* golden;
  };
  for (const Screen& s : {Screen{kLoadScreen, {}, "rpg/slot_screen_load"},
                          Screen{kSaveScreen, {kKeyUp}, "rpg/slot_screen_save"}}) {
    SCOPED_TRACE(s.golden);
    GameRun run([&] {
      WriteSlots();
      SlotMenu(s.mode);
    }, TestLibrary("saves"));
    run.Keys(s.keys);
    EXPECT_TRUE(MatchesGolden(*hostScreen.bitmap, s.golden));
    run.Key(kKeyEscape);
  }
}

TEST(SlotMenuTest, FinishesOrDiscardsAnInterruptedSaveBeforeReadingTheSlots) {
  GameRun run([&] {
    // Slot 0's save got past its commit point; slot 1's did not.
    WriteFile("../Save/saves0.sav", Head("Old", ""));
    WriteFile("../Save/saves0.sav.new", Head("New", ""));
    WriteFile("../Save/saves2.sav", Head("Kept", ""));
    WriteFile("../Save/saves3.sav", std::string("old members"));
    WriteFile("../Save/saves2.sav.new", Head("Lost", ""));
    WriteFile("../Save/saves3.sav.new", std::string("new members"));
    SlotMenu(kLoadScreen);
    EXPECT_EQ(ReadFile("../Save/saves0.sav"), Head("New", ""));
    EXPECT_EQ(ReadFile("../Save/saves2.sav"), Head("Kept", ""));
    EXPECT_EQ(ReadFile("../Save/saves3.sav"), "old members");
    for (const char* name : {"saves0.sav.new", "saves2.sav.new", "saves3.sav.new"}) {
      EXPECT_FALSE(std::filesystem::exists(std::string("../Save/") + name)) << name;
    }
  }, TestLibrary("saves"));
  run.Key(kKeyEnter);
  EXPECT_TRUE(run.Finished());
}

TEST(AskYesNoTest, LeftAndRightMoveTheHighlightAndEnterAnswers) {
  const std::vector<Keyed> cases = {
      {"no first", {kKeyEnter}, kAnswerNo, 0, kAnswerNo},
      {"Right", {kKeyRight, kKeyRight, kKeyEnter}, kAnswerNo, 0},
      {"Left", {kKeyLeft, kKeyUp, kKeyEscape, kKeyEnter}, kAnswerYes, 0, kAnswerNo},
      {"message 273", {kQuitMessage}, kAnswerNo, kQuit},
  };
  ExpectAnswers(cases, [](const Keyed& c) { return AskYesNo(c.initial, "覆盖原进度？"); });
}

TEST(AskYesNoTest, TheHighlightFollowsTheSelection) {
  GameRun run([] {
    CanvasClear(nullptr);
    AskYesNo(kAnswerYes, "覆盖原进度？");
  }, TestLibrary("saves"));
  for (uint32_t key : {0u, kKeyRight, kKeyLeft}) {
    if (key) run.Key(key);
    EXPECT_TRUE(MatchesGolden(*hostScreen.bitmap, key == kKeyRight ? "rpg/ask_yes_no_right" : "rpg/ask_yes_no"));
  }
  run.Key(kKeyEnter);
}

}  // namespace
