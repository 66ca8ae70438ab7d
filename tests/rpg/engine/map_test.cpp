// Maps and the view window: loading, the cells the view copies, events, and
// drawing the window whole (a scroll by one cell is pinned by Velmor's replays).

#include "rpg/engine/map_draw.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "host/canvas.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/tile_cache.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/golden.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;

// Where the field map (2, 1, 1) and the hut (2, 1, 2) lie in the explore
// library: the field is the first resource of block 1.
constexpr std::size_t kField = 16384 + 3;
constexpr std::size_t kHut = 16384 + 621;

class MapTest : public rpgtest::GameScreenTest {
 protected:
  void TearDown() override {
    ReleaseTileCache();
    GameScreenTest::TearDown();
  }
  static Bytes Explore() { return rpgtest::TestLibrary("explore"); }
  // Installs `image` for the test and loads the field.
  void LoadField(const Bytes& image = Explore()) {
    lib_.emplace(image);
    LoadMap(1, 1);
  }
  static std::vector<uint32_t> Scene() { return testsupport::Pixels(game.sceneCanvas, 0, 0, 160, 96); }
  static void View(int x, int y) {
    game.viewX = uint8_t(x);
    game.viewY = uint8_t(y);
    RefreshViewCells();
  }
  std::optional<InstalledLibrary> lib_;
};

// A map's number, place, size, name and tile set are pinned by Velmor's
// replays, the saved games and the field's golden frame. The hut comes
// without a name: it keeps the field's.
TEST_F(MapTest, AMapWithoutANameKeepsThePreviousName) {
  Bytes image = Explore();
  image[kHut + 3] = 0;
  LoadField(image);
  LoadMap(1, 2);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.mapWidth, 9);
  EXPECT_STREQ(game.mapName, "原野");
}

TEST_F(MapTest, DamagedMapsAndTileSetsAreRunErrors) {
  struct Case {
    const char* what;
    std::size_t at;
    uint8_t value;
    uint8_t status;
  };
  for (const Case& c : {Case{"header names another map", kField + 1, 2, 4},
                        Case{"block tag", 16384, 'X', 2},
                        Case{"no such tile set", kField + 2, 9, 3},
                        Case{"tile set block tag", 4 * 16384 + 1, 'X', 2},
                        Case{"cells past the block", kField + 16, 200, 2}}) {
    Bytes image = Explore();
    image[c.at] = c.value;
    if (c.at == kField + 16) image[kField + 17] = 200;
    InstalledLibrary lib(image);
    LoadMap(1, 1);
    EXPECT_EQ(game.runStatus, c.status) << c.what;
  }
  InstalledLibrary lib(Explore());
  LoadMap(1, 9);
  EXPECT_EQ(game.runStatus, 3);
}

TEST_F(MapTest, TheViewMustFitTheMap) {
  LoadField();
  View(11, 9);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.viewCells[5][8][0], 0x81);  // grass at (19, 14)
  EXPECT_EQ(game.viewCells[5][8][1], 4);
  for (auto [x, y] : {std::pair{12, 0}, {0, 10}, {250, 0}, {0, 255}}) {
    game.runStatus = 0;
    View(x, y);
    EXPECT_EQ(game.runStatus, 6) << x << ", " << y;
  }
}

TEST_F(MapTest, EventsAreTheEventByteAndForty) {
  LoadField();
  // The last four cells lie outside the map.
  for (auto [x, y, event] : {std::tuple{8, 8, 41}, {10, 8, 42}, {6, 10, 85}, {19, 14, 44}, {7, 8, 0},
                             {-1, 0, 0}, {20, 8, 0}, {0, 15, 0}, {100, 100, 0}}) {
    EXPECT_EQ(MapEventAt(x, y), event) << x << ", " << y;
  }
  EXPECT_EQ(MapCellAt(12, 8)->tile, 0x80);  // the gap: map characters only
  EXPECT_EQ(MapCellAt(10, 8)->tile, 0x04);  // the signpost: blocked
}

// How tiles are drawn is pinned by the golden frame below.
TEST_F(MapTest, MissingTilesAreWhiteAndTheWindowsLeftEdgeStaysUntouched) {
  Bytes image = Explore();
  image[kField + 18 + 2 * (5 * 20 + 5)] = 0x7F;  // tile 127 at the view's corner: the set has 6
  LoadField(image);
  View(5, 5);
  FillRectColor(0, 0, 159, 95, testsupport::kRed, game.sceneCanvas);
  DrawMap();
  EXPECT_TRUE(TileBits(127).empty());
  EXPECT_EQ(testsupport::Pixels(game.sceneCanvas, 8, 0, 16, 16),
            std::vector<uint32_t>(256, testsupport::kWhite));
  EXPECT_EQ(testsupport::CountColor(game.sceneCanvas, testsupport::kRed, 8, 96), 8 * 96);
}

TEST_F(MapTest, RestoringTilesRedrawsTheCellAndTheOneAboveAndShowsEach) {
  LoadField();
  View(5, 5);
  DrawMap();
  const std::vector<uint32_t> map = Scene();
  struct Case {
    int col, row, shown;
  };
  for (const Case& c : {Case{4, 3, 2}, Case{0, 0, 1}, Case{8, 6, 1}, Case{9, 3, 0}, Case{2, 7, 0}}) {
    FillRectColor(0, 0, 159, 95, testsupport::kRed, game.sceneCanvas);
    const int repaints = viewer->Repaints();
    RestoreTilesUnder(c.col, c.row);
    EXPECT_EQ(viewer->Repaints(), repaints + c.shown) << c.col << ", " << c.row;
    const int red = testsupport::CountColor(game.sceneCanvas, testsupport::kRed, 160, 96);
    EXPECT_EQ(red, 160 * 96 - 256 * c.shown) << c.col << ", " << c.row;
  }
}

TEST_F(MapTest, AFrameOfTheFieldWithItsPeopleAndCoordinates) {
  InstalledLibrary lib(Explore());
  PlaceActor(0, 1, 1, 4, 3);
  ChangeMap(1, 1, 5, 5);
  PlaceActor(0, 2, 1, 7, 7);
  PlaceActor(1, 2, 2, 13, 9);  // the window's last column
  PlaceActor(2, 4, 1, 9, 6);   // window cell (4, 1), just above the hero
  PlaceActor(3, 2, 2, 4, 10);  // one column left of the view, one tile wide: not shown
  game.showCoords = 1;
  game.redrawFlags = kRedrawMap | kRedrawHero | kRedrawNpcs;
  Redraw();
  EXPECT_EQ(game.redrawFlags, 0);
  ASSERT_EQ(game.runStatus, 0);
  EXPECT_TRUE(testsupport::MatchesGolden(*game.sceneCanvas->bitmap, "rpg/field_frame"));
}

}  // namespace
