// Wrapped text in a box and the framed list chooser; the system menu's
// golden shows the list at (10, 24) as drawn.

#include <gtest/gtest.h>

#include <string>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/ui_text.h"
#include "rpg/engine/wrapped_text.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::GameRun;
using testsupport::kBlack;

std::span<const uint8_t> Text(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.c_str()), s.size() + 1};
}

using WrappedTest = rpgtest::TextScreenTest;

TEST_F(WrappedTest, OnlyThirteenLinesAreLaidOutAndTheLastOnesFillTheBox) {
  // 20 lines of two letters in a box two bytes wide and six rows high.
  std::string text;
  for (char c = 'a'; c < 'a' + 20; ++c) text += std::string(2, c);
  auto rows = [&](char first) {
    return [=] {
      for (int row = 0; row < 6; ++row) {
        DrawString(0, int16_t(16 * row), std::string(2, char(first + row)).c_str());
      }
    };
  };
  int last = 0;
  // At or past the last laid-out line (12, "mm"): the box shows lines 7 ... 12.
  for (int first : {12, 20}) {
    EXPECT_EQ(Drawn([&] { last = DrawWrapped(0, 0, 15, 95, first, Text(text)); }), Drawn(rows('h')));
    EXPECT_EQ(last, 12);
  }
  EXPECT_EQ(Drawn([&] { last = DrawWrapped(0, 0, 15, 95, 3, Text(text)); }), Drawn(rows('d')));
  EXPECT_EQ(last, 8);
}

TEST_F(WrappedTest, WideBoxesShowWholeLinesAndNarrowOnesNothing) {
  const std::string wide(25, 'w');
  EXPECT_EQ(Drawn([&] { DrawWrapped(0, 0, 199, 15, 0, Text(wide)); }),
            Drawn([&] { DrawString(0, 0, wide.c_str()); }));
  const int repaints = viewer->Repaints();
  DrawWrapped(0, 0, 14, 95, 0, Text("abc"));
  DrawWrapped(0, 0, 159, 14, 0, Text("abc"));
  EXPECT_EQ(viewer->Repaints(), repaints);
  // The text ends at its zero byte or at the end of its bytes.
  EXPECT_EQ(Drawn([&] {
              DrawWrapped(0, 0, 159, 95, 0, {reinterpret_cast<const uint8_t*>("abcd"), 2});
            }),
            Drawn([] { DrawString(0, 0, "ab"); }));
}

// Four items of four bytes, written end to end.
const std::string kFour = "onetwo  thr four";

struct Chosen {
  int result = -1;
  int scrollTop = 0;
};

TEST(ChooseFromListTest, EnterGivesTheItemAndEscBacksOut) {
  Chosen chosen;
  GameRun run([&] { chosen.result = ChooseFromList(10, 24, 4, 4, Text(kFour), 0, &chosen.scrollTop); });
  // Up from the first is the last, Down from it the first again; Right is
  // Down and Left is Up.
  run.Keys({kKeyUp, kKeyDown, kKeyRight, kKeyRight, kKeyLeft, kKeyEnter});
  EXPECT_TRUE(run.Finished());
  EXPECT_EQ(chosen.result, 1);
  GameRun back([&] { chosen.result = ChooseFromList(10, 24, 4, 4, Text(kFour), 9, nullptr); });
  EXPECT_EQ(GetPixelColor(13, 74, nullptr), kBlack) << "a selection past the end is the last";
  back.Key(kKeyEscape);
  EXPECT_EQ(chosen.result, 255);
}

TEST(ChooseFromListTest, OneItemMoreThanTheRowsScrollsWithArrows) {
  // y 42 and four items: 3 rows would reach 102, so 2 rows show, the frame
  // ends at 94 and the text starts at y 44.
  Chosen chosen;
  GameRun run([&] { chosen.result = ChooseFromList(10, 42, 4, 4, Text(kFour), 0, &chosen.scrollTop); });
  EXPECT_EQ(testsupport::FindColor(kBlack, 9, 41, 39, 55).bottom, 94);
  const int arrowX = 10 - 2 + 16;
  EXPECT_EQ(GetPixelColor(int16_t(arrowX), int16_t(94 - 10 + 2), nullptr), kBlack) << "down arrow";
  run.Keys({kKeyDown, kKeyDown});
  // Scrolled by one: the text starts at y 52, an up arrow above it.
  EXPECT_EQ(GetPixelColor(int16_t(arrowX + 3), int16_t(42 + 2 + 2), nullptr), kBlack) << "up arrow";
  EXPECT_EQ(GetPixelColor(13, 52 + 16 + 1, nullptr), kBlack) << "item 2 on the second row";
  run.Key(kKeyEnter);
  EXPECT_EQ(chosen.result, 2);
  EXPECT_EQ(chosen.scrollTop, 1);
  // The remembered top stays when the selection is within its rows.
  GameRun again([&] { chosen.result = ChooseFromList(10, 42, 4, 4, Text(kFour), 2, &chosen.scrollTop); });
  EXPECT_EQ(GetPixelColor(13, 52 + 16 + 1, nullptr), kBlack);
  again.Key(kKeyEnter);
  EXPECT_EQ(chosen.result, 2);
}

TEST(ChooseFromListTest, OneItemMoreThatFitsShowsEveryRowAndTwoMoreLoseOne) {
  // y 1: five rows; six items reach 93, within the screen: all five rows stay.
  const std::string six = "aaaabbbbccccddddeeeeffff";
  Chosen chosen;
  GameRun run([&] {
    ClearScreen();
    chosen.result = ChooseFromList(1, 1, 4, 6, Text(six), 0, nullptr);
  });
  EXPECT_EQ(testsupport::FindColor(kBlack, 0, 0, 40, 96).bottom, 93);
  run.Keys({kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter});
  EXPECT_EQ(chosen.result, 4);
  // y 24, ten items: four rows would reach 92; three rows show.
  const std::string ten = six + "gggghhhhiiiijjjj";
  GameRun more([&] {
    ClearScreen();
    chosen.result = ChooseFromList(10, 24, 4, 10, Text(ten), 0, nullptr);
  });
  EXPECT_EQ(testsupport::FindColor(kBlack, 9, 23, 39, 73).bottom, 92);
  more.Keys({kKeyDown, kKeyDown, kKeyDown, kKeyEnter});
  EXPECT_EQ(chosen.result, 3);
}

TEST(ChooseFromListTest, AListTooWideForTheScreenReturnsAtOnceWithoutDrawing) {
  GameRun run([&] {
    ClearScreen();
    EXPECT_EQ(ChooseFromList(10, 10, 19, 1, Text(std::string(19, 'x')), 0, nullptr), 255);
    EXPECT_EQ(testsupport::CountColor(nullptr, kBlack, 160, 96), 0);
  });
  EXPECT_TRUE(run.Finished());
}

}  // namespace
