#include "tests/games/tiles/tiles_host.h"

#include <atomic>

#include "games/tiles/tiles.h"
#include "host/msg.h"
#include "protocol/messages.h"
#include "protocol/records.h"

namespace tiles_test {
namespace {

std::atomic<int> messagesAfter{-1};

}  // namespace

void TilesThenFiveSeconds() {
  messagesAfter = -1;
  TilesMain();
  DelayMs(5000);
  messagesAfter = MsgPendingCount();
}

int MessagesAfterTheGame() { return messagesAfter; }

std::vector<std::pair<int, int>> ScreenModes(const testsupport::HostRun& host) {
  std::vector<std::pair<int, int>> modes;
  for (const ScreenModeRecord& record : host.viewer->Records<ScreenModeRecord>(kScreenModeCopyData)) {
    modes.emplace_back(record.width, record.height);
  }
  return modes;
}

}  // namespace tiles_test
