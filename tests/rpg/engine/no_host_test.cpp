// Every wait of the game on a host whose message ring cannot be read (here:
// no host window was ever made, so GetMsg fails): each ends, and the game
// quits, instead of spinning on the failed read. These tests never start a
// host, so they have an executable of their own.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_loop.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/run_error.h"
#include "tests/rpg/support/game_screen.h"

namespace {

class NoHostTest : public rpgtest::GameScreenTest {};

TEST_F(NoHostTest, EveryWaitEndsAsAQuit) {
  const std::string items = "onetwo  ";
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(items.c_str()), 9);
  struct Case {
    const char* what;
    std::function<void()> run;
  };
  const Case cases[] = {
      {"GameLoop", [] { GameLoop(); }},
      {"WaitEnterOrEsc", [] { WaitEnterOrEsc(); }},
      {"WaitKeyDown", [] { EXPECT_EQ(WaitKeyDown(), 255); }},
      {"WaitTicks", [] { WaitTicks(5, true); }},
      {"PollKey", [] { EXPECT_EQ(PollKey(), 255); }},
      {"ShowMessage", [] { EXPECT_TRUE(ShowMessage("ab", 0)); }},
      {"ChooseFromList", [&] { EXPECT_EQ(ChooseFromList(10, 10, 4, 2, text, 0, nullptr), 255); }},
  };
  for (const Case& c : cases) {
    game.runStatus = 0;
    c.run();
    EXPECT_EQ(game.runStatus, kQuit) << c.what;
  }
  // A run error being reported stays the error.
  game.runStatus = 3;
  ReportRunError();
  EXPECT_EQ(game.runStatus, 3);
}

}  // namespace
