// The Desktop's navigation, clicks and launches with stand-in tables whose
// entries record what they see.

#include <gtest/gtest.h>

#include <vector>

#include "desktop/desktop.h"
#include "host/device_api.h"
#include "host/msg.h"
#include "tests/desktop/host_run.h"

namespace desktop_test {
namespace {

struct Launch {
  int row;
  int whitePixels;
  int lineHeight;
};
std::vector<Launch> launches;

template <int Row>
void RecordLaunch() {
  FontMetrics metrics{};
  GetFontMetrics(&metrics, nullptr);
  int white = 0;
  for (uint32_t pixel : Snapshot()) white += pixel == 0xFFFFFF;
  launches.push_back({Row, white, metrics.lineHeight});
}

// Two columns of four, as the arrow keys expect; row 5's icon is missing.
const AppRow kSixRows[kMaxAppRows] = {
    {20, 0, "..\\AppEntry\\icon1.bmp", "Velmor", RecordLaunch<0>},
    {20, 56, "..\\AppEntry\\icon1.bmp", "One", RecordLaunch<1>},
    {20, 112, "..\\AppEntry\\icon1.bmp", "Two", RecordLaunch<2>},
    {20, 168, "..\\AppEntry\\icon1.bmp", "Three", RecordLaunch<3>},
    {80, 0, "..\\AppEntry\\icon1.bmp", "四", RecordLaunch<4>},
    {80, 56, "..\\AppEntry\\no-such-icon.bmp", "Five", RecordLaunch<5>},
};

const AppRow kNoRows[kMaxAppRows] = {};

class DesktopTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    launches.clear();
    UseAppTable(kSixRows);
  }
  void TearDown() override { UseAppTable(nullptr); }
};

// The label area of a row: centred under the icon, 12 pixels high.
Box LabelBox(const AppRow& row, int bytes) {
  const int left = row.x + 16 - 3 * bytes;
  return {left, row.y + 38, left + 6 * bytes - 1, row.y + 49};
}

Box ColorAround(uint32_t color, const AppRow& row) {
  return FindColor(color, row.x - 20, row.y + 34, 72, 20);
}

TEST_F(DesktopTableTest, ArrowsStepByOneAndJumpByFourWithinTheTable) {
  HostRun host(DesktopMain);
  EXPECT_EQ(GetDesktopState().appCount, 6);
  const std::vector<std::pair<uint32_t, int>> steps = {
      {kKeyRight, 4}, {kKeyRight, 4}, {kKeyDown, 5}, {kKeyDown, 5}, {kKeyLeft, 1},
      {kKeyLeft, 1},  {kKeyUp, 0},    {kKeyUp, 0},   {kKeyDown, 1}, {kKeyDown, 2}};
  for (const auto& [key, selected] : steps) {
    host.KeyDown(key);
    EXPECT_EQ(GetDesktopState().selected, selected) << key;
    EXPECT_EQ(GetDesktopState().highlighted, selected) << key;
  }
  EXPECT_EQ(ColorAround(kLabelSelectedColor, kSixRows[2]), LabelBox(kSixRows[2], 3));
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[2]).left, -1);
  for (int row : {0, 1}) {
    EXPECT_EQ(ColorAround(kLabelSelectedColor, kSixRows[row]).left, -1) << row;
  }
  // A two-byte character counts as two bytes.
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[4]), LabelBox(kSixRows[4], 2));
  EXPECT_TRUE(launches.empty());
}

TEST_F(DesktopTableTest, AClickSelectsAndADoubleClickLaunchesOnlyTheSelectedRow) {
  HostRun host(DesktopMain);
  host.Click(30, 130);
  EXPECT_EQ(GetDesktopState().selected, 2);
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[0]), LabelBox(kSixRows[0], 6));
  // Clicking the selected row again draws nothing.
  const int repaints = host.viewer->Repaints();
  host.Click(30, 130);
  EXPECT_EQ(host.viewer->Repaints(), repaints);
  // Between icons and outside them a click changes nothing.
  host.Click(60, 10);
  host.DoubleClick(30, 180);
  EXPECT_EQ(GetDesktopState().selected, 2);
  EXPECT_TRUE(launches.empty());
  host.DoubleClick(30, 130);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].row, 2);
}

TEST_F(DesktopTableTest, AnApplicationStartsOnAWhiteScreenAndTheDesktopIsRedrawnAfter) {
  HostRun host(DesktopMain);
  host.KeyDown(kKeyDown);
  const std::vector<uint32_t> before = Snapshot();
  host.KeyDown(kKeyEnter);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].row, 1);
  EXPECT_EQ(launches[0].whitePixels, 320 * 240);
  EXPECT_EQ(launches[0].lineHeight, 16);
  EXPECT_EQ(GetDesktopState().selected, 1);
  EXPECT_EQ(Snapshot(), before);
  // Enter launches again from the same row.
  host.KeyDown(kKeyEnter);
  EXPECT_EQ(launches.size(), 2u);
}

TEST_F(DesktopTableTest, ARowWithoutItsIconStillHasItsLabel) {
  HostRun host(DesktopMain);
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[5]), LabelBox(kSixRows[5], 4));
}

TEST_F(DesktopTableTest, AnEmptyTableDrawsNoLabelAndLaunchesNothing) {
  UseAppTable(kNoRows);
  HostRun host(DesktopMain);
  EXPECT_EQ(GetDesktopState().appCount, 0);
  host.KeyDown(kKeyEnter);
  host.KeyDown(kKeyDown);
  host.DoubleClick(21, 1);
  EXPECT_EQ(GetDesktopState().selected, 0);
  EXPECT_EQ(FindColor(kLabelSelectedColor, 0, 0, 320, 240).left, -1);
}

TEST(HitTestIconTest, TheAreaIsOpenOnAllSides) {
  UseAppTable(nullptr);
  EXPECT_EQ(HitTestIcon(21, 1), 0);
  EXPECT_EQ(HitTestIcon(51, 53), 0);
  for (auto [x, y] : {std::pair{20, 1}, {52, 1}, {21, 0}, {21, 54}, {-1, -1}}) {
    EXPECT_EQ(HitTestIcon(x, y), -1) << x << ", " << y;
  }
}

TEST(HitTestIconTest, TheFirstOfOverlappingRowsWins) {
  const AppRow overlapping[kMaxAppRows] = {
      {0, 0, nullptr, "a", RecordLaunch<0>},
      {10, 10, nullptr, "b", RecordLaunch<1>},
  };
  UseAppTable(overlapping);
  EXPECT_EQ(HitTestIcon(20, 20), 0);
  EXPECT_EQ(HitTestIcon(35, 60), 1);
  UseAppTable(nullptr);
}

}  // namespace
}  // namespace desktop_test
