#include "host/canvas.h"

#include <cstdlib>
#include <tuple>

#include "tests/support/host_screen.h"

namespace host_test {
namespace {

using namespace testsupport;

class CanvasTest : public CanvasScreenTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(CanvasScreenTest::SetUp());
    CanvasClear(c);
  }
};

TEST_F(CanvasTest, ANewCanvasHasTheScreensSizeAndNoScreenFields) {
  EXPECT_EQ(std::tuple(c->width, c->height, c->bitsPerPixel, c->byteSize), std::tuple(320, 240, 32, 0u));
  EXPECT_TRUE(c->window == nullptr && c->pixels == nullptr);
  EXPECT_EQ(CountColor(c, kWhite, 320, 240), 320 * 240);
  // Points outside read as invalid, and drawing there is harmless.
  PutPixel(320, 0, kRed, c);
  PutPixel(-1, 0, kRed, c);
  EXPECT_EQ(GetPixelColor(320, 0, c), 0xFFFFFFFFu);
  EXPECT_EQ(GetPixelColor(0, -1, c), 0xFFFFFFFFu);
}

TEST_F(CanvasTest, FreeingReleasesAPixelsBlockAndRefusesNull) {
  EXPECT_EQ(CanvasFree(nullptr), 0);
  Canvas* other = CanvasCreate();
  ASSERT_NE(other, nullptr);
  other->pixels = std::malloc(64);  // released by CanvasFree (the leak check sees it)
  EXPECT_EQ(CanvasFree(other), 1);
}

TEST_F(CanvasTest, InclusiveRectanglesCoverTenByTenAndFillBoxNineByNine) {
  FillRectColor(0, 0, 9, 9, kRed, c);
  EXPECT_EQ(CountColor(c, kRed, 20, 20), 100);
  EXPECT_EQ(GetPixelColor(9, 9, c), kRed);

  CanvasClear(c);
  DrawRect(0, 0, 9, 9, kRed, 0, c);
  EXPECT_EQ(CountColor(c, kRed, 20, 20), 36);
  EXPECT_EQ(GetPixelColor(9, 9, c), kRed);
  EXPECT_EQ(GetPixelColor(5, 5, c), kWhite);

  CanvasClear(c);
  FillBox(0, 0, 9, 9, kRed, c);
  EXPECT_EQ(CountColor(c, kRed, 20, 20), 81);
  EXPECT_EQ(GetPixelColor(8, 8, c), kRed);
  EXPECT_EQ(GetPixelColor(9, 9, c), kWhite);
}

TEST_F(CanvasTest, LinesLeaveTheirEndPointAndStyleOneDashes) {
  DrawLine(0, 0, 5, 0, kRed, 0, c);
  EXPECT_EQ(Art(c, 0, 0, 7, 1, {{kRed, '#'}, {kWhite, '.'}}), std::vector<std::string>{"#####.."});

  // Dashes of 18 pixels and gaps of 6 painted in the back colour.
  SetBackColor(kBlue, c);
  DrawLine(0, 2, 30, 2, kRed, 1, c);
  EXPECT_EQ(Art(c, 0, 2, 31, 1, {{kRed, '#'}, {kBlue, '-'}, {kWhite, '.'}}),
            std::vector<std::string>{"##################------######."});
  // Any other style is solid.
  DrawLine(0, 4, 30, 4, kRed, 2, c);
  EXPECT_EQ(Art(c, 0, 4, 31, 1, {{kRed, '#'}, {kWhite, '.'}}),
            std::vector<std::string>{std::string(30, '#') + "."});
}

TEST_F(CanvasTest, EllipsesOfRadiusZeroDrawNothingAndOneDrawsFourPixels) {
  DrawEllipse(50, 50, 0, kRed, 0, c);
  FillEllipse(50, 50, 0, kRed, c);
  EXPECT_EQ(CountColor(c, kRed, 100, 100), 0);

  DrawEllipse(50, 50, 1, kRed, 0, c);
  EXPECT_EQ(Art(c, 48, 48, 4, 4, {{kRed, '#'}, {kWhite, '.'}}),
            (std::vector<std::string>{"....", ".##.", ".##.", "...."}));

  CanvasClear(c);
  DrawEllipse(20, 20, 5, kRed, 0, c);
  EXPECT_EQ(GetPixelColor(20, 20, c), kWhite);
  EXPECT_EQ(GetPixelColor(20, 15, c), kRed);
  FillEllipse(20, 20, 5, kBlue, c);
  EXPECT_EQ(GetPixelColor(20, 20, c), kBlue);
  EXPECT_EQ(GetPixelColor(20, 15, c), kBlue);
  // Absurd radii draw nothing instead of overflowing.
  DrawEllipse(0, 0, 2147483647, kRed, 0, c);
  FillEllipse(0, 0, -2147483647 - 1, kRed, c);
}

TEST_F(CanvasTest, InvertingTwiceRestoresAndAReversedRectangleDoesNothing) {
  FillRectColor(0, 0, 3, 3, 0x00102030, c);
  InvertRect(1, 1, 5, 5, c);
  EXPECT_EQ(GetPixelColor(1, 1, c), 0x00EFDFCFu);
  EXPECT_EQ(GetPixelColor(5, 5, c), 0u);
  EXPECT_EQ(GetPixelColor(6, 6, c), kWhite);
  InvertRect(1, 1, 5, 5, c);
  EXPECT_EQ(GetPixelColor(1, 1, c), 0x00102030u);
  EXPECT_EQ(GetPixelColor(5, 5, c), kWhite);

  const int repaints = viewer->Repaints();
  InvertRect(10, 10, 8, 20, nullptr);  // x2 = x1 - 2
  EXPECT_EQ(viewer->Repaints(), repaints);
  InvertRect(10, 10, 9, 20, nullptr);  // zero width: nothing inverted, still flushed
  EXPECT_EQ(viewer->Repaints(), repaints + 1);
  EXPECT_EQ(GetPixelColor(10, 10, nullptr), GetPixelColor(11, 11, nullptr));
}

TEST_F(CanvasTest, BackModeTakesOnlyOneOrTwo) {
  EXPECT_EQ(SetBackMode(3, c), 2);
  EXPECT_EQ(SetBackMode(1, c), 2);
  EXPECT_EQ(SetBackMode(0, c), 1);
  EXPECT_EQ(SetBackMode(2, c), 1);
  EXPECT_EQ(SetBackMode(2, c), 2);
}

TEST_F(CanvasTest, CopiesMoveTheScreenSizedArea) {
  FillRectColor(0, 0, 1, 1, kRed, c);
  Canvas* other = CanvasCreate();
  ASSERT_NE(other, nullptr);
  CanvasClear(other);
  EXPECT_NE(CanvasCopy(other, c), 0);
  EXPECT_EQ(CountColor(other, kRed, 320, 240), 4);
  CanvasCopyAt(10, 20, other, c);
  EXPECT_EQ(GetPixelColor(11, 21, other), kRed);
  EXPECT_EQ(GetPixelColor(12, 22, other), kWhite);
  // Grab takes the screen's area at (x, y) to the canvas's origin.
  FillRectColor(100, 50, 100, 50, kBlue, nullptr);
  CanvasGrab(99, 49, 3, 3, other);
  EXPECT_EQ(GetPixelColor(1, 1, other), kBlue);
  CanvasGrab(0, 0, 3, 3, nullptr);
  CanvasFree(other);
}

TEST_F(CanvasTest, ScreenCallsFlushOnceAndCanvasCallsNever) {
  const int start = viewer->Repaints();
  FillRectColor(0, 0, 5, 5, kRed, c);
  DrawLine(0, 0, 5, 5, kRed, 0, c);
  CanvasCopyAt(0, 0, c, nullptr);
  CanvasGrab(0, 0, 10, 10, c);
  CanvasStretchOut(0, 0, 10, 10, nullptr);
  EXPECT_EQ(viewer->Repaints(), start);

  FillRectColor(0, 0, 5, 5, kRed, c);
  EXPECT_EQ(CanvasCopy(nullptr, c), 1);
  EXPECT_EQ(viewer->Repaints(), start + 1);
  CanvasStretchOut(200, 100, 6, 6, c);
  EXPECT_EQ(viewer->Repaints(), start + 2);
  EXPECT_EQ(GetPixelColor(205, 105, nullptr), kRed);
  DrawRect(1, 1, 3, 3, kBlue, 0, nullptr);
  FillBox(1, 1, 3, 3, kBlue, nullptr);
  DrawEllipse(50, 50, 0, kBlue, 0, nullptr);
  PutPixel(0, 0, kBlue, nullptr);
  CanvasClear(nullptr);
  EXPECT_EQ(viewer->Repaints(), start + 7);
  // The last frame the viewer saw is the cleared screen.
  EXPECT_EQ(viewer->LastFrame()[0], 0xFF);
}

}  // namespace
}  // namespace host_test
