// Script commands that wait for the player or the clock: the dialogue
// window's pages, the two-option choice, the word menu, items given, and
// the text crawl between its bands. Velmor's replays pin Alert and Notice,
// pages without a portrait and an item given and named; its opening replay
// pins how long the crawl runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/inventory.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::GameRun;
using testsupport::FindColor;
using testsupport::kBlack;

// Runs script (1, 1) of `source` on the host after `setup`; the test drives
// it with keys and time.
GameRun Script(const std::string& source, std::function<void()> setup = {}) {
  return GameRun([setup] {
    ClearScreen();
    if (setup) setup();
    rpgtest::RunFromBody();
  }, rpgtest::ScriptLibrary(source + "SetVar 1, 1\nEnd\njump: SetVar 1, 2\nEnd\n"));
}
// Where the script ended: 1 on after the command, 2 at its jump.
int Way() { return game.scriptVars[1]; }

// Black pixels in the area.
bool Inked(int x, int y, int w, int h) { return FindColor(kBlack, x, y, w, h).left >= 0; }

TEST(SayTest, WithAPortraitTheFirstPageHoldsElevenAndFifteenBytes) {
  GameRun s = Script("Say 1, \"abcdefghijklmnopqrstuvwxyz1234\"\n");
  EXPECT_TRUE(Inked(46 + 10 * 8, 58, 8, 16)) << "the 11th byte ends the first line";
  EXPECT_FALSE(Inked(46 + 11 * 8, 58, 8, 16));
  EXPECT_TRUE(Inked(14 + 14 * 8, 77, 8, 16)) << "the 26th ends the second";
  EXPECT_TRUE(Inked(14, 47, 22, 3)) << "the portrait rises above the box";
  s.Key(kKeyEnter);
  EXPECT_FALSE(s.Finished()) << "four bytes are left for a second page";
  EXPECT_TRUE(Inked(46 + 3 * 8, 58, 8, 16));
  EXPECT_FALSE(Inked(46 + 4 * 8, 58, 8, 16));
  s.Key(kKeyEnter);
  EXPECT_TRUE(s.Finished());
}

// Width 8 x 3 + 6 = 30 from x = 65: the bar starts at x = 68, at y = 32 or
// 50; the glyphs leave the bottom row of their cell blank.
TEST(Choose2Test, ConfirmedUnmovedItGoesOnMovedItJumpsAndTheBarSitsOnTheChoice) {
  for (const auto& [keys, way] : {std::pair{std::vector<uint32_t>{}, 1},
                                  {std::vector<uint32_t>{kKeyDown}, 2},
                                  {std::vector<uint32_t>{kKeyDown, kKeyUp}, 1},
                                  {std::vector<uint32_t>{kKeyRight, 'x'}, 2}}) {
    GameRun s = Script("Choose2 \"yes\", \"no\", jump\n");
    s.Keys(keys);
    EXPECT_FALSE(s.Finished());
    EXPECT_EQ(Inked(68, 32 + 15, 1, 1), way == 1);
    EXPECT_EQ(Inked(68, 50 + 15, 1, 1), way == 2);
    s.Key(kKeyEnter);
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(Way(), way);
  }
}

TEST(Choose2Test, OptionsAreCutAtTwentyBytes) {
  std::vector<uint32_t> shown[2];
  for (int i = 0; i < 2; ++i) {
    GameRun s = Script(i ? "Choose2 \"abcdefghijklmnopqrst\", \"b\", jump\n"
                         : "Choose2 \"abcdefghijklmnopqrstuvwxy\", \"b\", jump\n");
    shown[i] = testsupport::Snapshot();
    s.Key(kKeyEnter);
  }
  EXPECT_EQ(shown[0], shown[1]);
}

// Words separated by one or two spaces are items: Enter stores the item
// plus one, Down past the last wraps to the first, Esc stores 0, and a menu
// of no words does nothing.
TEST(MenuTest, EnterStoresTheItemPlusOneEscZero) {
  struct Case {
    const char* words;
    std::vector<uint32_t> keys;
    int value;
  };
  for (const Case& c : {Case{"ab c  def", {kKeyDown, kKeyDown, kKeyEnter}, 3},
                        Case{"ab c  def", {kKeyDown, kKeyDown, kKeyDown, kKeyEnter}, 1},
                        Case{"yes", {kKeyEscape}, 0}, Case{"   ", {}, 7}}) {
    GameRun s = Script(std::string("Menu 9, \"") + c.words + "\"\n", [] { game.scriptVars[9] = 7; });
    s.Keys(c.keys);
    ASSERT_TRUE(s.Finished()) << c.words;
    EXPECT_EQ(game.scriptVars[9], c.value) << c.words;
    EXPECT_EQ(Way(), 1);
  }
}

TEST(GiveItemTest, TheFullInventorySaysSo) {
  GameRun full = Script("GiveItem 14, 1\n", [] {
    for (int i = 0; i < kInventorySize; ++i) InvAdd({1, uint8_t(i + 1), 1});
  });
  EXPECT_EQ(InvFind(14, 1), kNotCarried);
  full.Key(kKeyEnter);
  EXPECT_TRUE(full.Finished());
  EXPECT_EQ(game.invCount, kInventorySize);
}

// The crawl of seven rows: the first rises 42 steps, three more rows 9 steps
// each, two 10 ms ticks a step.
std::string CrawlOf(int top, int bottom) {
  std::string rows;
  for (int i = 0; i < 7; ++i) rows += "\"row " + std::to_string(i) + std::string(14, ' ') + " \"\n";
  return "Crawl " + std::to_string(top) + ", " + std::to_string(bottom) + ", " + rows;
}

// Rows `first` ... `last` of the crawl's text as drawn, 48 pixels wide.
std::vector<std::string> Rows(int first, int last) {
  std::vector<std::string> art;
  GameRun run([&] {
    ClearScreen();
    for (int i = first; i <= last; ++i) {
      DrawString(0, int16_t(16 * (i - first)), ("row " + std::to_string(i)).c_str());
    }
    art = rpgtest::ArtOf(nullptr, 0, 0, 48, 64);
  });
  EXPECT_TRUE(run.Finished());
  return art;
}

TEST(CrawlTest, BandsAreDrawnOrWhiteWhenMissing) {
  // The crawl's last step: row 3 at y = 0 under the top band, rows 4 ... 6
  // below it.
  const std::vector<std::string> lastRows = Rows(4, 6);
  for (const auto& [top, bottom] : {std::pair{1, 2}, {9, 2}, {1, 9}}) {
    SCOPED_TRACE(std::to_string(top) + ", " + std::to_string(bottom));
    // A short message right of the text keeps the crawl's last step shown.
    GameRun s = Script(CrawlOf(top, bottom) + "Alert \"ab\"\n");
    s.Advance(2000);
    ASSERT_FALSE(s.Finished());
    EXPECT_EQ(Inked(0, 0, 160, 15), top == 1);
    EXPECT_EQ(Inked(0, 81, 160, 15), bottom == 2);
    EXPECT_EQ(rpgtest::ArtOf(nullptr, 0, 16, 48, 64), lastRows);
    s.Key(kKeyEnter);
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(game.runStatus, 0);
    EXPECT_TRUE(std::all_of(std::begin(game.clipBuf), std::end(game.clipBuf),
                            [](uint8_t b) { return b == 0; }))
        << "the sprite clipping buffer is left alone";
  }
}

TEST(CrawlTest, EscStopsTheCrawl) {
  GameRun stopped = Script(CrawlOf(1, 2));
  stopped.Key(kKeyEscape);
  EXPECT_TRUE(stopped.Finished());
  EXPECT_EQ(game.manualCommands, 1);
}

}  // namespace
