// Sprite frames drawn through cached images put the pixels the blitters
// would: any area of a frame, at either depth, clipped to the canvas, after
// the frame's bits change and after the cache has replaced its oldest frames.

#include "rpg/engine/sprite_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "host/canvas.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/game_screen.h"

namespace {

using testsupport::kRed;

struct Area {
  int width, rows, depth;  // the frame
  int srcX, srcY, w, h, x, y;
  int margin = 0;  // depth 2: pixels this close to an edge left clear
};

class SpriteImagesTest : public rpgtest::GameScreenTest {
 protected:
  void TearDown() override {
    ReleaseSpriteImages();
    GameScreenTest::TearDown();
  }

  // The area by DrawFrameArea against the whole frame by BlitFrame, shifted
  // so that the area lands in the same place and seen through the area only.
  static void ExpectSameAsBlit(const std::vector<uint8_t>& bits, const Area& a) {
    const FrameBits frame{bits, a.width, a.depth};
    FillRectColor(0, 0, 159, 95, kRed, game.sceneCanvas);
    DrawFrameArea(frame, a.srcX, a.srcY, a.w, a.h, a.x, a.y, game.sceneCanvas);
    FillRectColor(0, 0, 159, 95, kRed, game.mapCanvas);
    BlitFrame(int16_t(a.x - a.srcX), int16_t(a.y - a.srcY), a.width, a.rows, a.depth, bits,
              game.mapCanvas);
    std::vector<uint32_t> expected = testsupport::Pixels(game.mapCanvas, 0, 0, 160, 96);
    for (int i = 0; i < 160 * 96; ++i) {
      const int x = i % 160 - a.x;
      const int y = i / 160 - a.y;
      if (x < 0 || y < 0 || x >= a.w || y >= a.h) expected[i] = kRed;
    }
    ASSERT_EQ(testsupport::Pixels(game.sceneCanvas, 0, 0, 160, 96), expected)
        << a.width << "x" << a.rows << " depth " << a.depth << " area " << a.srcX << ","
        << a.srcY << " " << a.w << "x" << a.h << " at " << a.x << "," << a.y;
  }

  static std::vector<uint8_t> RandomBits(const Area& a, std::mt19937& random) {
    std::vector<uint8_t> bits(std::size_t(a.width + 7) / 8 * (a.depth == 2 ? 2 : 1) *
                              std::size_t(a.rows));
    for (uint8_t& b : bits) b = uint8_t(random());
    const std::size_t rowBytes = bits.size() / std::size_t(a.rows);
    for (int y = 0; y < a.rows; ++y) {
      for (int x = 0; x < a.width; ++x) {
        if (std::min({x, y, a.width - 1 - x, a.rows - 1 - y}) >= a.margin) continue;
        uint8_t& b = bits[std::size_t(y) * rowBytes + std::size_t(x / 4)];
        const int shift = 6 - 2 * (x % 4);
        b = uint8_t((b & ~(3 << shift)) | (2 << shift));
      }
    }
    return bits;
  }
};

TEST_F(SpriteImagesTest, AreasArePutAsTheBlittersPutThem) {
  const Area areas[] = {
      {16, 32, 2, 0, 0, 16, 32, 40, 20},   // a whole masked frame
      {16, 32, 1, 0, 0, 16, 32, 40, 20},   // a whole opaque frame
      {32, 32, 2, 16, 8, 16, 24, 8, 0},    // its right half, rows cut off at the top
      {13, 7, 2, 0, 0, 13, 7, 150, 92},    // odd sizes, over the canvas's corner
      {13, 7, 1, 8, 2, 9, 9, -3, -1},      // wider and taller than the frame holds
      {24, 16, 2, 0, 4, 24, 40, 70, 60},   // more rows asked than there are
      {16, 16, 2, 0, 0, 16, 16, 50, 50, 3},  // a clear border around the frame
      {32, 32, 2, 16, 8, 16, 24, 8, 0, 5},   // cut through its clear border
      {16, 8, 2, 0, 0, 16, 8, 30, 30, 4},    // nothing but clear
  };
  std::mt19937 random(7);
  for (const Area& a : areas) ExpectSameAsBlit(RandomBits(a, random), a);
}

TEST_F(SpriteImagesTest, ChangedBitsAndReplacedFramesAreDrawnAnew) {
  const Area a{16, 24, 2, 0, 0, 16, 24, 60, 30};
  std::mt19937 random(11);
  // More frames than the cache keeps, each drawn, changed in place and drawn
  // again; then the first ones, long replaced, and all after a release.
  std::vector<std::vector<uint8_t>> frames;
  for (int i = 0; i < 130; ++i) frames.push_back(RandomBits(a, random));
  for (std::vector<uint8_t>& bits : frames) {
    ExpectSameAsBlit(bits, a);
    bits[random() % bits.size()] ^= 0x55;
    ExpectSameAsBlit(bits, a);
  }
  ExpectSameAsBlit(frames[0], a);
  ReleaseSpriteImages();
  ExpectSameAsBlit(frames[1], a);
}

}  // namespace
