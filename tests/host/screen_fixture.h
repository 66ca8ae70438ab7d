#pragma once
// A started screen (default 320 x 240, or the sizes a test writes into
// ..\Sim.ini before SetUp) with a stand-in viewer, one with a canvas too,
// and pixel helpers.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/companion.h"
#include "host/lcd.h"
#include "tests/host/host_env.h"

namespace host_test {

// Colours as the drawing calls take them: 0x00BBGGRR.
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kBlue = 0xFF0000;

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer = StartFakeViewer();
    LcdForgetWindow();
    ASSERT_EQ(LcdVctInit(), 1);
  }
  void TearDown() override {
    LcdVctRelease();
    LcdForgetWindow();
    viewer.reset();
  }

  HostEnv env;
  std::unique_ptr<FakeCompanion> viewer;
};

// A started screen and a new canvas `c` of its size.
class CanvasScreenTest : public ScreenTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScreenTest::SetUp());
    c = CanvasCreate();
    ASSERT_NE(c, nullptr);
  }
  void TearDown() override {
    CanvasFree(c);
    ScreenTest::TearDown();
  }

  Canvas* c = nullptr;
};

// Pixels of the w by h area at the origin of c that have `color`.
int CountColor(Canvas* c, uint32_t color, int w, int h);

// One text row per pixel row of the w by h area at (x, y): each colour looked
// up in `legend`, '?' for others.
std::vector<std::string> Art(Canvas* c, int x, int y, int w, int h,
                             const std::map<uint32_t, char>& legend);

}  // namespace host_test
