// Walking sprites: the frame a facing and a step pick, the hero on its cell,
// map characters by the small-character and the clipped rules, placing
// actors on the scene, and the cached images frames are drawn through (any
// area of a frame, at either depth, clipped to the canvas, after the frame's
// bits change and after the cache has replaced its oldest frames, puts the
// pixels the blitters would).

#include "rpg/engine/sprites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "rpg/engine/actor_load.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprite_clip.h"
#include "rpg/engine/sprite_images.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/memory_library.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;
using testsupport::kRed;
using Art = std::vector<std::string>;

// `rows` (one frame) repeated as all twelve frames of a sheet.
Bytes Sheet(int w, int h, int depth, const Art& rows) {
  Art frames;
  for (int f = 0; f < 12; ++f) frames.insert(frames.end(), rows.begin(), rows.end());
  return rpgtest::PictureBytes(w, h, depth, frames);
}

// Quarters: black top left and bottom right, white elsewhere.
Art Quarters(int w, int h) {
  Art rows;
  for (int y = 0; y < h; ++y) {
    std::string row;
    for (int x = 0; x < w; ++x) row += (x < w / 2) == (y < h / 2) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// Frame k shows k black pixels on its only row.
Bytes CountingSheet() {
  Art frames;
  for (int f = 0; f < 12; ++f) frames.push_back(std::string(f, '#') + std::string(16 - f, '.'));
  return rpgtest::PictureBytes(16, 1, 1, frames);
}

class SpritesTest : public rpgtest::GameScreenTest {
 protected:
  void SetUp() override {
    GameScreenTest::SetUp();
    game.tileWidth = game.tileHeight = 16;
    game.viewX = game.viewY = 20;
    FillRectColor(0, 0, 159, 95, kRed, game.sceneCanvas);
  }

  // A map character of `group` on sheet (8, group, no), standing on map
  // cell (x, y) facing down, drawn.
  static void DrawNpcAt(uint8_t slot, uint8_t group, uint8_t no, int x, int y) {
    AllocNpcSlot(slot);
    ResKey key{8, group, no, 0, 0};
    LibLookup(&key);
    NpcRecord& npc = *game.npcs[slot];
    npc.picGroup = group;
    npc.facing = 3;
    npc.x = uint8_t(x);
    npc.y = uint8_t(y);
    npc.picBlock = key.block;
    npc.picOffset = key.offset;
    DrawNpc(slot);
  }

  static void PutHero(uint8_t no, uint8_t facing, uint8_t step) {
    ResKey key{8, 1, no, 0, 0};
    LibLookup(&key);
    PartySlot& hero = game.party[0];
    hero.header = {1, 1, facing, step, 0, 4, 3, 0, 0, 0};
    hero.spriteBlock = key.block;
    hero.spriteOffset = key.offset;
  }

  static Art Scene(int x, int y, int w, int h) { return rpgtest::ArtOf(game.sceneCanvas, x, y, w, h); }
  static int RedLeft() { return testsupport::CountColor(game.sceneCanvas, kRed, 160, 96); }
};

TEST_F(SpritesTest, FacingAndStepPickTheFrame) {
  InstalledLibrary lib(rpgtest::PackLibrary({{{8, 1, 1}, CountingSheet()}}));
  struct Case {
    uint8_t facing, step;
    int frame;  // -1: not drawn
  };
  for (const Case& c : {Case{1, 0, 0}, Case{2, 1, 4}, Case{3, 2, 8}, Case{4, 3, 10},
                        Case{1, 3, 1}, Case{0, 0, -1}, Case{5, 0, -1}, Case{4, 5, -1}}) {
    FillRectColor(0, 0, 159, 95, kRed, game.sceneCanvas);
    PutHero(1, c.facing, c.step);
    DrawHero();
    const std::string expected =
        c.frame < 0 ? std::string(16, 'r') : std::string(c.frame, '#') + std::string(16 - c.frame, '.');
    // One row high, the frame stands on its cell's bottom: y = 48 - (1 - 16).
    EXPECT_EQ(Scene(72, 63, 16, 1), Art{expected}) << int(c.facing) << " " << int(c.step);
    EXPECT_EQ(game.runStatus, 0);
  }
}

// Where a tall hero stands is pinned by the field's golden frame.
TEST_F(SpritesTest, TheHeroNeedsATaggedSheetAndALeader) {
  InstalledLibrary lib(rpgtest::PackLibrary({{{8, 1, 1}, Sheet(16, 24, 2, Quarters(16, 24))},
                                            {{11, 1, 1}, Sheet(16, 24, 2, Quarters(16, 24))}}));
  PutHero(1, 3, 0);
  // A sheet whose block is not tagged ACP.
  game.party[0].spriteBlock = 2;
  DrawHero();
  EXPECT_EQ(game.runStatus, 2);
  // No leader: nothing, and no error.
  game.runStatus = 0;
  game.party[0].header.id = 0;
  DrawHero();
  EXPECT_EQ(game.runStatus, 0);
}

TEST_F(SpritesTest, TheWindowsEdgesAndTheTopAndBottomRowsCutTheFrame) {
  Art tall = Quarters(16, 24);
  InstalledLibrary lib(rpgtest::PackLibrary({{{8, 2, 1}, Sheet(32, 32, 1, Quarters(32, 32))},
                                            {{8, 2, 2}, Sheet(16, 24, 1, tall)}}));
  DrawNpcAt(3, 2, 1, 19, 23);  // c = 255, r = 3: the right half at the window's left edge
  EXPECT_EQ(Scene(7, 31, 18, 1), Art{"rrrrrrrrrrrrrrrrrr"});
  EXPECT_EQ(Scene(7, 32, 18, 1), Art{"r................r"});
  EXPECT_EQ(Scene(7, 63, 18, 1), Art{"r################r"});
  DrawNpcAt(0, 2, 1, 28, 23);  // c = 8: the left half, at x 136
  EXPECT_EQ(Scene(135, 32, 18, 1), Art{"r################r"});
  DrawNpcAt(1, 2, 1, 22, 20);  // r = 0: the lower half, at y 0
  EXPECT_EQ(Scene(39, 0, 34, 1), Art{"r................################r"});
  EXPECT_EQ(Scene(40, 16, 1, 1), Art{"r"});
  DrawNpcAt(2, 2, 2, 21, 26);  // r = 6, 24 high: its top 8 rows at y 88
  EXPECT_EQ(Scene(24, 87, 1, 9), (Art{"r", "#", "#", "#", "#", "#", "#", "#", "#"}));
  EXPECT_EQ(RedLeft(), 160 * 96 - 2 * 16 * 32 - 32 * 16 - 16 * 8);
}

TEST_F(SpritesTest, SmallCharactersShowHalvesOnTheFirstAndLastRows) {
  InstalledLibrary lib(rpgtest::PackLibrary({{{8, 4, 1}, Sheet(16, 32, 2, Quarters(16, 32))}}));
  DrawNpcAt(0, 4, 1, 21, 20);  // row 0: the lower half at y 0
  EXPECT_EQ(Scene(24, 0, 16, 1), Art{"........########"});
  EXPECT_EQ(Scene(24, 16, 1, 1), Art{"r"});
  DrawNpcAt(1, 4, 1, 23, 26);  // row 6: the upper half, 16 pixels above the bottom
  EXPECT_EQ(Scene(56, 79, 16, 1), Art{"rrrrrrrrrrrrrrrr"});
  EXPECT_EQ(Scene(56, 80, 16, 1), Art{"########........"});
  EXPECT_EQ(Scene(56, 95, 16, 1), Art{"########........"});
  DrawNpcAt(2, 4, 1, 19, 22);  // left of the view: not drawn
  DrawNpcAt(3, 4, 1, 29, 22);  // past the last column: not drawn
  EXPECT_EQ(RedLeft(), 160 * 96 - 2 * 16 * 16);
}

TEST_F(SpritesTest, TheHeroIsDrawnAgainInFrontOfACharacterJustAboveIt) {
  const Art black(16, std::string(16, '#'));
  const Art white(32, std::string(16, '.'));
  InstalledLibrary lib(rpgtest::PackLibrary({{{8, 1, 1}, Sheet(16, 16, 1, black)},
                                            {{8, 2, 1}, Sheet(16, 32, 1, white)},
                                            {{8, 4, 1}, Sheet(16, 32, 1, white)}}));
  PutHero(1, 3, 0);
  struct Case {
    uint8_t group;
    int x, y;  // the character's map cell; window cell (4, 2) stands just above the hero
    bool heroAgain;  // a clipped character 2 bytes wide counts from (3, 2) too, a small one not
  };
  for (const Case& c : {Case{2, 24, 22, true}, Case{4, 24, 22, true}, Case{2, 24, 21, false},
                        Case{2, 23, 22, true}, Case{4, 23, 22, false}}) {
    FillRectColor(0, 0, 159, 95, kRed, game.sceneCanvas);
    game.npcs[0] = nullptr;
    DrawNpcAt(0, c.group, 1, c.x, c.y);
    EXPECT_EQ(Scene(72, 48, 16, 1), Art{std::string(16, c.heroAgain ? '#' : 'r')})
        << int(c.group) << " " << c.x;
  }
}

// Frames up to 255 x 255 on every cell: what DrawNpc copies and draws.
TEST(SpriteClipTest, EveryPlanFitsTheClipBufferTheFrameAndTheWindow) {
  for (int w = 1; w <= 255; w += 7) {
    for (int h = 1; h <= 255; h += 11) {
      for (int c = 0; c < 256; ++c) {
        for (int r = 0; r < 256; ++r) {
          const auto plan = PlanClippedSprite(uint8_t(c), uint8_t(r), w, h, 16);
          if (!plan) continue;
          ASSERT_LE(std::size_t(plan->width + 7) / 8 * 2 * std::size_t(plan->height),
                    sizeof game.clipBuf);
          ASSERT_GE(plan->srcX, 0);
          ASSERT_GE(plan->srcY, 0);
          ASSERT_LE(plan->srcX + plan->width, w);
          ASSERT_LE(plan->srcY + plan->height, h);
          ASSERT_GE(plan->destX, kWindowLeft);
          ASSERT_GE(plan->destY, 0);
          ASSERT_LE(plan->destX + plan->width, kWindowRight);
          ASSERT_LE(plan->destY + plan->height, kWindowBottom);
        }
      }
    }
  }
}

// Where placed actors stand, walk to and rest is pinned by Velmor's replays and the map loop.
TEST_F(SpritesTest, PlacingActorsLoadsDrawsAndPresents) {
  Bytes npc = {2, 1, 3, 0, 0, 0, 0, 0, 0};
  npc.resize(21, 0);
  npc.insert(npc.end(), {4, 1});
  Bytes sheet(58, 0);
  sheet[1] = 7;
  sheet[2] = 3;
  sheet[22] = 1;
  InstalledLibrary lib(rpgtest::PackLibrary({{{3, 1, 7}, sheet},
                                            {{3, 2, 1}, npc},
                                            {{8, 1, 1}, Sheet(16, 16, 1, Art(16, std::string(16, '#')))},
                                            {{8, 2, 1}, Sheet(16, 16, 1, Art(16, std::string(16, '#')))}}));
  const int repaints = viewer->Repaints();
  PlaceActor(0, 1, 7, 4, 3);
  PlaceActor(5, 2, 1, 21, 21);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(testsupport::CountColor(nullptr, testsupport::kBlack, 160, 96), 2 * 16 * 16);
  for (uint8_t kind : {0, 3, 5}) {
    game.runStatus = 0;
    PlaceActor(6, kind, 1, 1, 1);
    EXPECT_EQ(game.runStatus, 5) << int(kind);
  }
  EXPECT_EQ(viewer->Repaints(), repaints + 2) << "each placed actor shown, the refused ones not";
}

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
