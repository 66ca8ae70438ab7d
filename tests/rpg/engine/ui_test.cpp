// The small screens and waits every part of the game uses: the message box,
// text rows, numbers, run errors, key polling, tick waits and the game timer
// after them, the sound hooks.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/device_api.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/run_error.h"
#include "rpg/engine/slot_menu.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/engine/ui_text.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"

namespace {

using rpgtest::ArtOf;
using rpgtest::GameRun;
using testsupport::Box;
using testsupport::FindColor;
using testsupport::kBlack;
using testsupport::kRed;
using testsupport::kWhite;

void FillScreenRed() { FillRectColor(0, 0, 159, 95, kRed, nullptr); }

struct MessageCase {
  std::string text;
  bool shown;
  int left, top, bottom;  // the box's left edge, top rule and bottom rule
};

// A message box's rules and white inside, up to the right edge. The text,
// drawn opaque from the box's corner, covers the top rule where it stands.
void ExpectBox(const MessageCase& c) {
  if (c.text.size() < 20) {
    EXPECT_EQ(GetPixelColor(159, int16_t(c.top), nullptr), kBlack);
  }
  EXPECT_EQ(GetPixelColor(int16_t(c.left), int16_t(c.top + 15), nullptr), kWhite);
  EXPECT_EQ(GetPixelColor(159, int16_t(c.top + 15), nullptr), kWhite);
  if (c.bottom < 96) {
    EXPECT_EQ(FindColor(kBlack, c.left, c.bottom, 160 - c.left, 1),
              (Box{c.left, c.bottom, 159, c.bottom}));
  }
  if (c.left > 0) {
    EXPECT_EQ(GetPixelColor(int16_t(c.left - 1), int16_t(c.top + 1), nullptr), kRed);
  }
}

TEST(ShowMessageTest, TheBoxSizeFollowsTheTextAndTheScreenComesBack) {
  const std::vector<MessageCase> cases = {
      {"ab", true, 82, 64, 80},
      {std::string(15, 'a'), true, 0, 64, 80},
      {std::string(4, 'a'), true, 56, 64, 80},
      {std::string(21, 'a'), true, 0, 64, 96},
      {std::string(81, 'a'), true, 0, 32, 112},
      {std::string(202, 'a'), false, 0, 0, 0},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.text.size());
    GameRun run([&] {
      FillScreenRed();
      EXPECT_EQ(ShowMessage(c.text.c_str(), 3), c.shown);
      EXPECT_EQ(testsupport::CountColor(nullptr, kRed, 160, 96), 160 * 96);
    });
    if (c.shown) {
      run.Advance(10);  // the first of the box's 10 ms ticks draws it
      ASSERT_FALSE(run.Finished());
      ExpectBox(c);
      run.Advance(20);
    }
    ASSERT_TRUE(run.Finished());
  }
}

TEST(ShowMessageTest, LongTextsWrapAtTwentyBytesWithoutSplittingACharacter) {
  // 19 single bytes and a two-byte character: the character starts row 2.
  const std::string text = std::string(19, 'a') + "\xB0\xA1" "b";
  std::vector<std::string> expected;
  GameRun run([&] {
    CanvasClear(nullptr);
    DrawString(0, 64, std::string(19, 'a').c_str());
    DrawString(0, 80, "\xB0\xA1" "b");
    expected = ArtOf(nullptr, 0, 65, 160, 31);
    FillScreenRed();
    ShowMessage(text.c_str(), 0);
  });
  run.Advance(10);
  EXPECT_EQ(ArtOf(nullptr, 0, 65, 160, 31), expected);
  run.Key(kKeyEnter);
}

// A poll and the slot screen leave the game timer a whole period from when
// a key ends them, at `at` ms: its next tick comes 500 ms after that.
TEST(GameTimerTest, APollOrTheSlotScreenStartsANewPeriodWhenItEnds) {
  struct Case {
    const char* name;
    std::function<void()> wait;
    int at;
  };
  for (const Case& c : {Case{"PollKey", [] { PollKey(); }, 30},
                        Case{"SlotMenu", [] { SlotMenu(kSaveScreen); }, 1300}}) {
    SCOPED_TRACE(c.name);
    int ticks = 0;
    GameRun run([&] {
      StartTimer(kGameTimer, kGameTickMs);
      c.wait();
      Message m;
      while (GetMsg(&m) && m.type != MsgKeyDown) ticks += m.type == MsgTimer && m.wParam == kGameTimer;
    }, rpgtest::TestLibrary("saves"));
    run.Advance(c.at);
    run.Key(kKeyEnter);
    run.Advance(499);
    EXPECT_EQ(ticks, 0);
    run.Advance(1);
    EXPECT_EQ(ticks, 1);
    run.Key(kKeyEnter);
  }
}

// Waiting one tick more than asked is pinned by Velmor's replays.
TEST(WaitTicksTest, NotAtAllOnARunError) {
  GameRun errored([] {
    game.runStatus = 3;
    WaitTicks(5, false);
  });
  EXPECT_TRUE(errored.Finished()) << "a run error is set: at once";
}

TEST(RunErrorTest, LeavingTheGameIsNoError) {
  for (uint8_t status : {253, 254, 255}) {
    GameRun run([status] {
      CanvasClear(nullptr);
      game.runStatus = status;
      ReportRunError();
      EXPECT_EQ(testsupport::CountColor(nullptr, kWhite, 160, 96), 160 * 96);
    });
    EXPECT_TRUE(run.Finished());
    EXPECT_EQ(game.runStatus, 0);
  }
}

using TextTest = rpgtest::TextScreenTest;

TEST_F(TextTest, NumbersAreDrawnOneCharacterCellADigit) {
  struct Case {
    uint32_t value;
    int radix;
    int isSigned;
    const char* text;
  };
  for (const Case& c : {Case{0, 10, 1, "0"}, Case{uint32_t(-5), 10, 1, "-5"},
                        Case{0xFFFFFFFF, 10, 0, "4294967295"}, Case{0xFFFFFFFF, 16, 0, "FFFFFFFF"},
                        Case{0xFFFFFFFF, 10, 1, "-1"}, Case{0x80000000, 10, 1, "-2147483648"},
                        Case{0xFFFFFFFB, 10, 2, "4294967291"}, Case{255, 16, 1, "FF"}}) {
    EXPECT_EQ(Drawn([&] { DrawInt(8, 16, c.value, c.radix, c.isSigned); }),
              Drawn([&] { DrawString(8, 16, c.text); }))
        << c.text;
  }
  // x is a byte: the digits go on from the left edge.
  EXPECT_EQ(Drawn([] { PrintInt(248, 0, 12, 10, 0); }), Drawn([] {
              DrawString(248, 0, "1");
              DrawString(0, 0, "2");
            }));
  EXPECT_EQ(Drawn([] { DrawInt(0, 0, 5, 0, 0); }), Drawn([] {}));
}

TEST_F(TextTest, ShowHexBlanksEightCellsFirst) {
  EXPECT_EQ(Drawn([] { ShowHex(0xAB); }), Drawn([] { DrawString(0, 0, "AB      "); }));
  FillScreenRed();
  ShowHex(0xAB);
  EXPECT_EQ(testsupport::CountColor(nullptr, kRed, 64, 16), 0);
}

TEST_F(TextTest, TextRowsEndWithTheRowThatStartsWithZero) {
  const std::string two = std::string(20, 'a') + std::string(20, 'b');
  std::vector<uint8_t> text(two.begin(), two.end());
  text.push_back(0);
  text.insert(text.end(), {'c', 'c', 0});  // after the end: never drawn
  const int repaints = viewer->Repaints();
  const auto rows = Drawn([&] { DrawTextRows(0, 0, text); });
  EXPECT_EQ(viewer->Repaints(), repaints + 1 + 3) << "the clear, two rows and the empty one";
  EXPECT_EQ(rows, Drawn([&] {
              DrawString(0, 0, std::string(20, 'a').c_str());
              DrawString(0, 16, std::string(20, 'b').c_str());
            }));
  // A row is cut at 20 bytes, and the text's end ends the rows.
  const std::string unterminated = std::string(25, 'x');
  EXPECT_EQ(Drawn([&] { DrawTextRows(0, 0, {(const uint8_t*)unterminated.data(), 25}); }),
            Drawn([&] {
              DrawString(0, 0, std::string(20, 'x').c_str());
              DrawString(0, 16, "xxxxx");
            }));
}

TEST_F(TextTest, CharactersAndRectangles) {
  EXPECT_EQ(Drawn([] {
              DrawCharAt(0, 0, 'Q');
              DrawWideCharAt(8, 0, "\xB0\xA1xyz");
            }),
            Drawn([] { DrawString(0, 0, "Q\xB0\xA1"); }));
  FillScreenRed();
  ClearRect(1, 1, 3, 2);
  EXPECT_EQ(ArtOf(nullptr, 0, 0, 5, 4), (std::vector<std::string>{"rrrrr", "r...r", "r...r", "rrrrr"}));
}

// Counting the loops down is pinned by the system menu's music test.
TEST(SoundHooksTest, ReplayPlaysTheTrackOnceUntilTheFlagIsCleared) {
  ResetGameState();
  ClearSoundHookCalls();
  game.soundOn = 1;
  game.musicTrack = 4;
  game.musicLoops = 2;
  ReplayMusic();
  ReplayMusic();
  game.musicReplayFlag = 0;
  game.soundOn = 0;
  ReplayMusic();
  game.soundOn = 1;
  game.runStatus = 2;
  ReplayMusic();
  ASSERT_EQ(SoundHookCalls().size(), 1u);
  EXPECT_EQ(SoundHookCalls()[0].hook, SoundHook::kPlayMusic);
  EXPECT_EQ(SoundHookCalls()[0].track, 4);
  ResetGameState();
}

}  // namespace
