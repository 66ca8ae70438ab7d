// The Desktop in the whole host on the virtual clock, with stand-in tables
// whose entries record what they see. End to end (tests/e2e): what it draws
// (against the replay golden), double clicks at the icon's edges, and F2
// coming back until the queue is cleared.

#include "desktop/desktop.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/device_api.h"
#include "host/host_reset.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"

namespace {

using namespace testsupport;

struct Launch {
  int row;
  int whitePixels;
  int lineHeight;
  bool operator==(const Launch&) const = default;
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

// The Desktop on the six rows, as an application entry.
void SixRowDesktop() {
  launches.clear();
  UseAppTable(kSixRows);
  DesktopMain();
}

// The label area of a row: centred under the icon, 12 pixels high.
Box LabelBox(const AppRow& row, int bytes) {
  const int left = row.x + 16 - 3 * bytes;
  return {left, row.y + 38, left + 6 * bytes - 1, row.y + 49};
}

Box ColorAround(uint32_t color, const AppRow& row) {
  return FindColor(color, row.x - 20, row.y + 34, 72, 20);
}

TEST(DesktopTableTest, ArrowsStepByOneAndJumpByFourWithinTheTable) {
  HostRun host(SixRowDesktop);
  EXPECT_EQ(GetDesktopState().appCount, 6);
  const std::vector<std::pair<uint32_t, int>> steps = {
      {kKeyRight, 4}, {kKeyRight, 4}, {kKeyDown, 5}, {kKeyDown, 5}, {kKeyLeft, 1},
      {kKeyLeft, 1},  {kKeyUp, 0},    {kKeyUp, 0},   {kKeyDown, 1}, {kKeyDown, 2}};
  for (const auto& [key, selected] : steps) {
    const int repaints = host.viewer->Repaints();
    const std::vector<uint32_t> before = Snapshot();
    const bool moves = GetDesktopState().selected != selected;
    host.KeyDown(key);
    EXPECT_EQ(GetDesktopState().selected, selected) << key;
    EXPECT_EQ(GetDesktopState().highlighted, selected) << key;
    // Two label prints per key, straight to the screen: the old and the new.
    EXPECT_EQ(host.viewer->Repaints(), repaints + 2) << key;
    EXPECT_TRUE(moves || Snapshot() == before) << key;
  }
  host.KeyUp(kKeyEnter);
  EXPECT_EQ(ColorAround(kLabelSelectedColor, kSixRows[2]), LabelBox(kSixRows[2], 3));
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[2]).left, -1);
  EXPECT_EQ(ColorAround(kLabelSelectedColor, kSixRows[0]).left, -1);
  EXPECT_EQ(ColorAround(kLabelSelectedColor, kSixRows[1]).left, -1);
  // A two-byte character counts as two bytes; a row without its icon still
  // has its label.
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[4]), LabelBox(kSixRows[4], 2));
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[5]), LabelBox(kSixRows[5], 4));
  EXPECT_TRUE(launches.empty());
}

TEST(DesktopTableTest, AClickSelectsADoubleClickOrEnterLaunchesOnAWhiteScreenEscapeEnds) {
  HostRun host(SixRowDesktop);
  host.Click(30, 130);
  EXPECT_EQ(GetDesktopState().selected, 2);
  EXPECT_EQ(ColorAround(kLabelBackColor, kSixRows[0]), LabelBox(kSixRows[0], 6));
  // Clicking the selected row again draws nothing; between icons and outside
  // them a click changes nothing.
  const int repaints = host.viewer->Repaints();
  host.Click(30, 130);
  EXPECT_EQ(host.viewer->Repaints(), repaints);
  host.Click(60, 10);
  host.DoubleClick(30, 180);
  EXPECT_EQ(GetDesktopState().selected, 2);
  EXPECT_TRUE(launches.empty());
  // The application starts on a white screen in the 16-pixel font; the
  // Desktop is drawn again as it was, and Enter launches the same row.
  const std::vector<uint32_t> before = Snapshot();
  host.DoubleClick(30, 130);
  host.KeyDown(kKeyEnter);
  EXPECT_EQ(launches, (std::vector<Launch>{{2, 320 * 240, 16}, {2, 320 * 240, 16}}));
  EXPECT_EQ(Snapshot(), before);
  // Escape ends the Desktop at once, leaving nothing in the memory pool.
  host.PostAll({{MsgKeyDown, kKeyEscape, 0}, {MsgKeyDown, kKeyEnter, 0}});
  host.Join();
  EXPECT_EQ(launches.size(), 2u);
  EXPECT_TRUE(plat::RecordedMessageBoxes().empty());
}

TEST(DesktopTableTest, AnEmptyTableDrawsNoLabelAndLaunchesNothing) {
  HostRun host([] {
    static const AppRow kNoRows[kMaxAppRows] = {};
    UseAppTable(kNoRows);
    DesktopMain();
  });
  EXPECT_EQ(GetDesktopState().appCount, 0);
  host.KeyDown(kKeyEnter);
  host.KeyDown(kKeyDown);
  host.DoubleClick(21, 1);
  EXPECT_EQ(GetDesktopState().selected, 0);
  EXPECT_EQ(FindColor(kLabelSelectedColor, 0, 0, 320, 240).left, -1);
}

TEST(HitTestIconTest, TheAreaIsOpenOnAllSidesAndTheFirstOfOverlappingRowsWins) {
  EXPECT_EQ(HitTestIcon(21, 1), 0);
  EXPECT_EQ(HitTestIcon(51, 53), 0);
  EXPECT_EQ(HitTestIcon(21, 0), -1);  // the other edges are tried end to end
  const AppRow overlapping[kMaxAppRows] = {{0, 0, nullptr, "a", RecordLaunch<0>},
                                           {10, 10, nullptr, "b", RecordLaunch<1>}};
  UseAppTable(overlapping);
  EXPECT_EQ(HitTestIcon(20, 20), 0);
  EXPECT_EQ(HitTestIcon(35, 60), 1);
  ResetHost();
}

}  // namespace
