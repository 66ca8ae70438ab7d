// Where the picture goes, windowed and fullscreen: a whole factor, centred
// on black; and the way back from a click to a screen pixel.

#include "viewer/picture_place.h"

#include <gtest/gtest.h>

namespace lcd {
namespace {

TEST(PicturePlaceTest, LargestWholeFactorCentred) {
  struct Case {
    int outW, outH, picW, picH;
    PicturePlace expected;
  };
  const Case cases[] = {
      // A window made for the picture: its own factor, in the corner.
      {640, 480, 320, 240, {0, 0, 640, 480, 2}},
      {480, 288, 160, 96, {0, 0, 480, 288, 3}},
      // Fullscreen 1920x1080: 4 fits 320x240 (1280x960), 5 does not.
      {1920, 1080, 320, 240, {320, 60, 1280, 960, 4}},
      {1920, 1080, 160, 96, {80, 12, 1760, 1056, 11}},
      {1366, 768, 320, 240, {203, 24, 960, 720, 3}},  // the height decides
      // Smaller than the picture: factor 1, the middle part shown.
      {300, 200, 320, 240, {-10, -20, 320, 240, 1}},
  };
  for (const Case& c : cases) {
    const PicturePlace place = PlacePicture(c.outW, c.outH, c.picW, c.picH);
    EXPECT_EQ(place.factor, c.expected.factor) << c.outW << "x" << c.outH;
    EXPECT_EQ(place.width, c.picW * place.factor);
    EXPECT_EQ(place.height, c.picH * place.factor);
    EXPECT_EQ(place.x, c.expected.x) << c.outW << "x" << c.outH;
    EXPECT_EQ(place.y, c.expected.y) << c.outW << "x" << c.outH;
    // Centred: the borders differ by at most the one odd pixel.
    const int right = c.outW - place.x - place.width;
    const int bottom = c.outH - place.y - place.height;
    EXPECT_LE(right - place.x, 1);
    EXPECT_LE(bottom - place.y, 1);
  }
  EXPECT_EQ(PlacePicture(640, 480, 0, 240).width, 0);
}

TEST(PicturePlaceTest, ClicksMapBackThroughTheBorder) {
  // 320 wide at 4 from x = 320 (1920 fullscreen).
  EXPECT_EQ(WindowToScreen(320, 320, 4, 320), 0);
  EXPECT_EQ(WindowToScreen(327, 320, 4, 320), 1);
  EXPECT_EQ(WindowToScreen(10, 320, 4, 320), 0);     // left border
  EXPECT_EQ(WindowToScreen(1700, 320, 4, 320), 319);  // right border
  // Windowed, no offset.
  EXPECT_EQ(WindowToScreen(7, 0, 2, 320), 3);
  EXPECT_EQ(WindowToScreen(-3, 0, 2, 320), 0);
  EXPECT_EQ(WindowToScreen(5, 0, 0, 320), 0);
}

}  // namespace
}  // namespace lcd
