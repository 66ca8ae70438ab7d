#pragma once
// The tile game in the whole host, for the in-process tests: an entry that
// lets 5 s of virtual time pass after the game returns and counts the
// Messages that queued meanwhile, and what the stand-in viewer was told.

#include <utility>
#include <vector>

#include "tests/support/host_runner.h"

namespace tiles_test {

// Runs TilesMain, then sleeps 5 s of virtual time (the test moves the clock)
// and keeps the number of Messages waiting after that.
void TilesThenFiveSeconds();
// That number; -1 before the entry got there.
int MessagesAfterTheGame();

// The screen sizes the viewer was sent, in order.
std::vector<std::pair<int, int>> ScreenModes(const testsupport::HostRun& host);

}  // namespace tiles_test
