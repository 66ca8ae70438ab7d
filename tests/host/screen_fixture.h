#pragma once
// A started screen (default 320 x 240, or the sizes a test writes into
// ..\Sim.ini before SetUp) with a stand-in viewer, and pixel helpers.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/companion.h"
#include "host/lcd.h"
#include "tests/host/host_env.h"

namespace host_test {

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

// Pixels of the w by h area at the origin of c that have `color`.
int CountColor(Canvas* c, uint32_t color, int w, int h);

// One text row per pixel row of the w by h area at (x, y): each colour looked
// up in `legend`, '?' for others.
std::vector<std::string> Art(Canvas* c, int x, int y, int w, int h,
                             const std::map<uint32_t, char>& legend);

}  // namespace host_test
