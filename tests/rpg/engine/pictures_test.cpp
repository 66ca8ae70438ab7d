// Pictures drawn from the library: depth-2 rows and transparency, the frame
// rules, drawing on the screen through scratchCanvas. Digits and depth-1
// pixels are checked on the screens that show them (status page, battle, map).

#include "rpg/engine/pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/memory_library.h"

namespace {

using rpgtest::ArtOf;
using rpgtest::Bytes;
using rpgtest::InstalledLibrary;
using rpgtest::PictureBytes;
using testsupport::kRed;
using Art = std::vector<std::string>;

class PicturesTest : public rpgtest::GameScreenTest {
 protected:
  void FillScene(uint32_t color) { FillRectColor(0, 0, 159, 95, color, game.sceneCanvas); }
  Art Scene(int x, int y, int w, int h) { return ArtOf(game.sceneCanvas, x, y, w, h); }
};

// A depth-2 picture of two rows whose first row is all black, written byte by
// byte: three bytes of pixels and, for width 12, a byte of padding that must
// be skipped (0xFF would read as transparent); width 14 fills half of the
// fourth byte and has no byte to skip.
Bytes TwoRowsDepth2(uint8_t width) {
  Bytes pic = {0, 0, width, 2, 1, 2};
  const Bytes row0 = width == 12 ? Bytes{0x55, 0x55, 0x55, 0xFF} : Bytes{0x55, 0x55, 0x55, 0x5F};
  const Bytes row1 = {0x00, 0x00, 0x00, 0x0F};
  pic.insert(pic.end(), row0.begin(), row0.end());
  pic.insert(pic.end(), row1.begin(), row1.end());
  return pic;
}

TEST_F(PicturesTest, DepthTwoRowsAndTransparentValues) {
  const Bytes masked = PictureBytes(6, 2, 2, {"#_~._#", "~~##__"});
  InstalledLibrary lib(rpgtest::PackLibrary({{{11, 1, 1}, masked},
                                            {{11, 2, 1}, TwoRowsDepth2(12)},
                                            {{11, 2, 2}, TwoRowsDepth2(14)}}));
  FillScene(kRed);
  // Depth 2 rows start after whole multiples of eight pixels.
  DrawPic(11, 2, 1, 0, 10, 10);
  DrawPic(11, 2, 2, 0, 10, 20);
  EXPECT_EQ(Scene(9, 10, 16, 2), (Art{"r############rrr", "r............rrr"}));
  EXPECT_EQ(Scene(9, 20, 16, 2), (Art{"r##############r", "r..............r"}));
  // Transparent values leave the scene.
  DrawPic(11, 1, 1, 0, 0, 0);
  EXPECT_EQ(Scene(0, 0, 7, 3), (Art{"#rr.r#r", "rr##rrr", "rrrrrrr"}));
  EXPECT_EQ(game.runStatus, 0);
}

TEST_F(PicturesTest, FramesFollowEachOtherAndAFrameAtTheCountDrawsNothing) {
  const Bytes frames = PictureBytes(3, 2, 1, {"###", "###", "#.#", ".#."});
  InstalledLibrary lib(rpgtest::PackLibrary({{{11, 1, 1}, frames}}));
  FillScene(kRed);
  DrawPic(11, 1, 1, 1, 0, 0);
  DrawPic(11, 1, 1, 2, 4, 0);
  DrawPic(11, 1, 1, 255, 4, 0);
  EXPECT_EQ(Scene(0, 0, 8, 2), (Art{"#.#rrrrr", ".#.rrrrr"}));
  EXPECT_EQ(game.runStatus, 0);
}

TEST_F(PicturesTest, MissingOrCutOffPicturesDrawNothingAndRaiseNoError) {
  const Bytes full = PictureBytes(8, 2, 1, {"########", "########"});
  Bytes image = rpgtest::PackLibrary({{{11, 1, 1}, full}, {{11, 1, 2}, full}});
  image.resize(16384 + 11 + 6 + 1);  // (11, 1, 2) keeps its header and one of two rows
  InstalledLibrary lib(image);
  FillScene(kRed);
  DrawPic(11, 1, 2, 0, 0, 0);
  DrawPic(11, 1, 9, 0, 0, 0);
  DrawPicToScreen(11, 1, 9, 0, 0, 0);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(testsupport::CountColor(game.sceneCanvas, kRed, 160, 96), 160 * 96);
  // While a run error is set nothing is drawn and the error stays.
  game.runStatus = 4;
  DrawPic(11, 1, 1, 0, 0, 0);
  EXPECT_EQ(game.runStatus, 4);
  EXPECT_EQ(testsupport::CountColor(game.sceneCanvas, kRed, 160, 96), 160 * 96);
  game.runStatus = 0;
  DrawPic(11, 1, 1, 0, 0, 0);
  EXPECT_EQ(testsupport::CountColor(game.sceneCanvas, kRed, 160, 96), 160 * 96 - 16);
}

TEST_F(PicturesTest, DrawingOnTheScreenShowsOneFrameAndKeepsTheRest) {
  const Bytes opaque = PictureBytes(4, 1, 1, {"#..#"});
  const Bytes masked = PictureBytes(4, 1, 2, {"#__#"});
  InstalledLibrary lib(rpgtest::PackLibrary({{{11, 1, 1}, opaque}, {{11, 1, 2}, masked}}));
  FillRectColor(0, 0, 159, 95, kRed, nullptr);
  const int repaints = viewer->Repaints();
  DrawPicToScreen(11, 1, 1, 0, 1, 1);
  DrawPicToScreen(11, 1, 2, 0, 1, 2);
  EXPECT_EQ(viewer->Repaints(), repaints + 2);
  EXPECT_EQ(ArtOf(nullptr, 0, 1, 6, 2), (Art{"r#..#r", "r#rr#r"}));
  // The far corner is a byte: a picture reaching past x 255 is not drawn.
  DrawPicToScreen(11, 1, 1, 0, 254, 3);
  EXPECT_EQ(testsupport::CountColor(game.scratchCanvas, testsupport::kWhite, 160, 96), 160 * 96);
}

}  // namespace
