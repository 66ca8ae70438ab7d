#include "tests/rpg/support/game_screen.h"

#include "host/canvas.h"
#include "host/lcd.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/ui_text.h"
#include "tests/support/golden.h"

namespace rpgtest {

void GameScreenTest::SetUp() {
  ASSERT_NO_FATAL_FAILURE(ScreenTest::SetUp());
  ASSERT_EQ(SetScreenMode(160, 96, 32), 1);
  ResetGameState();
  game.scratchCanvas = CanvasCreate();
  game.sceneCanvas = CanvasCreate();
  game.mapCanvas = CanvasCreate();
  ASSERT_NE(game.mapCanvas, nullptr);
}

void GameScreenTest::TearDown() {
  CanvasFree(game.scratchCanvas);
  CanvasFree(game.sceneCanvas);
  CanvasFree(game.mapCanvas);
  ResetGameState();
}

void ResetStateKeepingCanvases() {
  Canvas* const canvases[3] = {game.sceneCanvas, game.mapCanvas, game.scratchCanvas};
  ResetGameState();
  game.sceneCanvas = canvases[0];
  game.mapCanvas = canvases[1];
  game.scratchCanvas = canvases[2];
}

void TextScreenTest::SetUp() {
  ASSERT_NO_FATAL_FAILURE(GameScreenTest::SetUp());
  SetBackMode(2, nullptr);
}

std::vector<std::string> TextScreenTest::Drawn(const std::function<void()>& draw, int rows) {
  ClearScreen();
  draw();
  return ArtOf(nullptr, 0, 0, 160, rows);
}

std::vector<std::string> ArtOf(Canvas* canvas, int x, int y, int w, int h) {
  return testsupport::Art(canvas, x, y, w, h,
                          {{testsupport::kBlack, '#'}, {testsupport::kWhite, '.'},
                           {testsupport::kRed, 'r'}});
}

std::function<void()> ShowsGolden(const std::string& name) {
  return [=] { EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/" + name)); };
}

}  // namespace rpgtest
