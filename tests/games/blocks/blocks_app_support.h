#pragma once
// The falling-blocks game in the whole host, for the tests in process.

#include <vector>

#include "host/types.h"
#include "tests/support/standin_companion.h"

namespace blocks_test {

// An application entry: BlocksMain, then, once it has returned, taking
// Messages until Escape, so that the host stays up and anything the game
// left behind (a timer still running) shows in MessagesAfterReturn.
void RunGameThenListen();
std::vector<Message> MessagesAfterReturn();

struct ScreenSize {
  int width, height;
  bool operator==(const ScreenSize&) const = default;
};
// The screen sizes the viewer was told, in order.
std::vector<ScreenSize> ModeChanges(const testsupport::StandinCompanion& viewer);

}  // namespace blocks_test
