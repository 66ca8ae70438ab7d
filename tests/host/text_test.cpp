#include "host/text.h"

#include <tuple>

#include "host/canvas.h"
#include "tests/support/host_screen.h"

namespace host_test {
namespace {

using namespace testsupport;

class TextTest : public CanvasScreenTest {
 protected:
  FontMetrics Metrics() {
    FontMetrics metrics{};
    GetFontMetrics(&metrics, c);
    return metrics;
  }
};

// Three heights for indexes 0 to 8; a higher index changes nothing, and
// each target keeps its own font.
TEST_F(TextTest, FontIndexesStepThroughThreeHeightsPerTarget) {
  const std::tuple<int, int, int> steps[] = {{0, 12, 6}, {4, 16, 8}, {8, 24, 12},
                                             {3, 16, 8}, {9, 16, 8}, {255, 16, 8}};
  for (const auto& [index, height, width] : steps) {
    SelectFont(index, c);
    EXPECT_EQ(std::tuple(Metrics().lineHeight, Metrics().charWidth), std::tuple(height, width)) << index;
  }
  SelectFont(6, nullptr);
  FontMetrics screen{};
  GetFontMetrics(&screen, nullptr);
  EXPECT_EQ(std::tuple(Metrics().lineHeight, screen.lineHeight), std::tuple(16, 24));
}

TEST_F(TextTest, OpaqueTextFillsItsCellsAndTransparentTextOnlyInks) {
  SelectFont(0, c);
  SetBackColor(kWhite, c);
  SetForeColor(kBlack, c);

  FillRectColor(0, 0, 99, 29, kRed, c);
  EXPECT_NE(DrawText(0, 0, "Ab中", c), 0);
  // Three cells: 6 + 6 + 12 pixels wide, 12 high, black on white.
  EXPECT_EQ(CountColor(c, kRed, 24, 12), 0);
  EXPECT_GT(CountColor(c, kBlack, 24, 12), 0);
  EXPECT_EQ(GetPixelColor(24, 0, c), kRed);

  FillRectColor(0, 0, 99, 29, kRed, c);
  DrawTextMode(0, 0, "Ab中", c, 1);
  EXPECT_EQ(CountColor(c, kWhite, 100, 30), 0);
  EXPECT_GT(CountColor(c, kBlack, 24, 12), 0);
  EXPECT_GT(CountColor(c, kRed, 24, 12), 0);
  // The mode was for that call only.
  EXPECT_EQ(SetBackMode(0, c), 2);
}

TEST_F(TextTest, ScreenTextFlushesEvenWhenEmpty) {
  const int start = viewer->Repaints();
  EXPECT_EQ(DrawText(0, 0, "", nullptr), 1);
  EXPECT_EQ(viewer->Repaints(), start + 1);
  DrawTextMode(0, 0, "x", nullptr, 1);
  EXPECT_EQ(viewer->Repaints(), start + 2);
  DrawText(0, 0, nullptr, c);
  EXPECT_EQ(viewer->Repaints(), start + 2);
}

}  // namespace
}  // namespace host_test
