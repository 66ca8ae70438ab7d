#include "host/text.h"

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

TEST_F(TextTest, FontIndexesStepThroughThreeHeights) {
  SelectFont(0, c);
  EXPECT_EQ(Metrics().lineHeight, 12);
  EXPECT_EQ(Metrics().charWidth, 6);
  SelectFont(4, c);
  EXPECT_EQ(Metrics().lineHeight, 16);
  SelectFont(8, c);
  EXPECT_EQ(Metrics().lineHeight, 24);
  EXPECT_EQ(Metrics().charWidth, 12);
}

TEST_F(TextTest, IndexesAboveEightChangeNothing) {
  SelectFont(3, c);
  SelectFont(9, c);
  EXPECT_EQ(Metrics().lineHeight, 16);
  SelectFont(255, c);
  EXPECT_EQ(Metrics().lineHeight, 16);
}

TEST_F(TextTest, EachTargetKeepsItsOwnFont) {
  SelectFont(0, c);
  SelectFont(6, nullptr);
  EXPECT_EQ(Metrics().lineHeight, 12);
  FontMetrics screen{};
  GetFontMetrics(&screen, nullptr);
  EXPECT_EQ(screen.lineHeight, 24);
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
