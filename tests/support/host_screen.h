#pragma once
// Tests on the host's screen: a started screen (320 x 240, or the sizes a
// test writes into ..\Sim.ini before SetUp) with a stand-in viewer, one with
// a canvas too, and helpers that read pixels of the screen or a canvas.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/lcd.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace testsupport {

// Colours as the drawing calls take them: 0x00BBGGRR.
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kBlue = 0xFF0000;

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer = StandinCompanion::Viewer();
    ASSERT_EQ(LcdVctInit(), 1);
  }

  HostEnv env;
  std::unique_ptr<StandinCompanion> viewer;
};

// A started screen and a new canvas `c` of its size.
class CanvasScreenTest : public ScreenTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScreenTest::SetUp());
    c = CanvasCreate();
    ASSERT_NE(c, nullptr);
  }
  void TearDown() override { CanvasFree(c); }

  Canvas* c = nullptr;
};

// The pixels of the w by h area at (x, y) of `c` (null: the screen), row by row.
std::vector<uint32_t> Pixels(Canvas* c, int x, int y, int w, int h);

// The whole screen, row by row.
std::vector<uint32_t> Snapshot();

// Pixels of the w by h area at the origin of `c` that have `color`.
int CountColor(Canvas* c, uint32_t color, int w, int h);

// One text row per pixel row of the w by h area at (x, y): each colour looked
// up in `legend`, '?' for others.
std::vector<std::string> Art(Canvas* c, int x, int y, int w, int h,
                             const std::map<uint32_t, char>& legend);

// The smallest rectangle holding every pixel of `color` in the screen area
// (x, y, w, h), as {left, top, right, bottom}; all -1 when there is none.
struct Box {
  int left, top, right, bottom;
  bool operator==(const Box&) const = default;
};
Box FindColor(uint32_t color, int x, int y, int w, int h);

}  // namespace testsupport
