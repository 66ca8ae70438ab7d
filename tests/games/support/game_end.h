#pragma once
// What every game run in the whole host must leave behind when it ends.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/sys/msgbox.h"
#include "tests/support/host_runner.h"

namespace gamestest {

using Modes = std::vector<std::pair<int, int>>;
// Portrait for the game, then the host's landscape again.
inline const Modes kPortraitAndBack{{240, 320}, {320, 240}};

// Lets the host end after a game run with ThenWait, and checks that no timer
// was left running and the screen modes sent were `modes`. The message boxes
// shown, where a leak report would be. A game still running after those 5 s
// fails at once (joining its host would wait for ever); HostRun's end then
// tries Escape.
inline std::vector<plat::RecordedMessageBox> ExpectEnded(testsupport::HostRun& host,
                                                         const Modes& modes = kPortraitAndBack) {
  host.Advance(5000);
  if (testsupport::PendingAfterReturn() < 0) {
    ADD_FAILURE() << "the game still waits after its scripted input";
    return {};
  }
  host.Join();
  EXPECT_EQ(testsupport::PendingAfterReturn(), 0) << "a timer was left running";
  EXPECT_EQ(host.ScreenModes(), modes);
  return plat::RecordedMessageBoxes();
}

}  // namespace gamestest
