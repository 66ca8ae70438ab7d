#pragma once
// Tests of the game's drawing on a started screen in the game's 160 x 96
// mode, with the game's three canvases made and its state reset before and
// after each test.

#include <functional>
#include <string>
#include <vector>

#include "tests/support/host_screen.h"

namespace rpgtest {

class GameScreenTest : public testsupport::ScreenTest {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Resets the game's state as a new test would find it, keeping the canvases.
void ResetStateKeepingCanvases();

// The same with opaque text, for tests of what text routines draw.
class TextScreenTest : public GameScreenTest {
 protected:
  void SetUp() override;
  // The screen's top `rows` rows after `draw` on a cleared screen.
  static std::vector<std::string> Drawn(const std::function<void()>& draw, int rows = 96);
};

// Rows of the area at (x, y) of `canvas` (null: the screen): '#' black,
// '.' white, 'r' red, '?' any other colour.
std::vector<std::string> ArtOf(Canvas* canvas, int x, int y, int w, int h);

// When called, checks the screen against the golden rpg/<name>.
std::function<void()> ShowsGolden(const std::string& name);

}  // namespace rpgtest
