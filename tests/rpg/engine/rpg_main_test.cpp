// The game's entry: loading the library, every way out of the game (each
// back in the Desktop's mode with nothing left behind), the title and its
// items, a new game's fresh state, and a second launch in the same process.
// The interpreter is played by the test: its script entry points record the
// calls and do what each test asks.

#include "rpg/engine/rpg_main.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/device_api.h"
#include "platform/sys/msgbox.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/game_init.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/title.h"
#include "rpg/party/event_flags.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"

// The interpreter's entry points as this test plays them.
std::vector<std::pair<int, int>> scriptFilesRun;
std::function<void(uint8_t, uint8_t)> onScriptFile;
std::function<void(int)> onEvent;

void RunScriptFile(uint8_t bank, uint8_t no) {
  scriptFilesRun.push_back({bank, no});
  if (onScriptFile) onScriptFile(bank, no);
}

int RunEvent(int n) {
  if (onEvent) onEvent(n);
  return 0;
}

namespace {

using rpgtest::Bytes;
using Modes = std::vector<std::pair<int, int>>;
using Calls = std::vector<std::pair<int, int>>;

constexpr uint32_t kQuitMessage = 273;

// What was left when RpgMain returned.
struct After {
  int liveBlocks;
  bool canvasesGone;
  uint8_t runStatus;
  uint32_t nextMessage;  // the first message after the game: a timer left running comes first
};
std::vector<After> afters;
int launches = 1;

// The application: waits for the test's go (its dat.lib written), runs the
// game `launches` times, then takes one more message.
void GameEntry() {
  Message m;
  GetMsg(&m);
  for (int i = 0; i < launches; ++i) {
    RpgMain();
    afters.push_back({MemLiveBlocks(), !game.sceneCanvas && !game.mapCanvas && !game.scratchCanvas,
                      game.runStatus, 0});
  }
  GetMsg(&m);
  afters.back().nextMessage = m.type;
}

class RpgRun {
 public:
  explicit RpgRun(Bytes library, int times = 1) {
    afters.clear();
    scriptFilesRun.clear();
    launches = times;
    if (!library.empty()) {
      testsupport::WriteFile(host.env.RootPath("dat.lib"), std::string(library.begin(), library.end()));
    }
    host.Post(MsgKeyUp, 0, 0);
  }
  ~RpgRun() {
    onScriptFile = nullptr;
    onEvent = nullptr;
  }

  // Once the game has ended: two seconds for a stray timer, then the last
  // message; checks everything went.
  void ExpectAllReleased() {
    ASSERT_EQ(int(afters.size()), launches);
    host.Advance(2000);
    host.Post(MsgKeyUp, 1, 0);
    host.Join();
    for (const After& a : afters) {
      EXPECT_EQ(a.liveBlocks, 0);
      EXPECT_TRUE(a.canvasesGone);
    }
    EXPECT_EQ(afters.back().nextMessage, MsgKeyUp) << "timer 1 still ran";
    EXPECT_EQ(hostScreen.width, 320);
    EXPECT_TRUE(testsupport::MessageBoxTexts().empty());
  }

  Modes ModesSeen() const {
    Modes sizes;
    for (const auto& mode : host.viewer->Records<ScreenModeRecord>(kScreenModeCopyData)) {
      sizes.emplace_back(mode.width, mode.height);
    }
    return sizes;
  }

  bool Playing() const { return afters.empty(); }

  testsupport::HostRun host{GameEntry};
};

Bytes Explore() { return rpgtest::TestLibrary("explore"); }

// Whether the title shows item 0 chosen: its first element fills the box at
// (20, 40) black; item 1 draws it as an outline. An item's first frame comes
// with the first 50 ms tick, when no key came before it.
bool ItemZeroChosen(RpgRun& run) {
  run.host.Advance(50);
  return GetPixelColor(30, 44, nullptr) == testsupport::kBlack;
}

TEST(RpgMainTest, WithoutALibraryTheGameReturnsAtOnce) {
  RpgRun run({});
  EXPECT_FALSE(run.Playing());
  EXPECT_EQ(run.ModesSeen(), (Modes{{160, 96}, {320, 240}}));
  run.ExpectAllReleased();
}

TEST(RpgMainTest, EscAtTheTitleEndsTheGameWithoutARunError) {
  RpgRun run(Explore());
  EXPECT_TRUE(run.Playing());
  EXPECT_TRUE(ItemZeroChosen(run));
  run.host.KeyDown(kKeyEscape);
  ASSERT_FALSE(run.Playing());
  EXPECT_EQ(afters[0].runStatus, 0);
  EXPECT_EQ(run.ModesSeen(), (Modes{{160, 96}, {320, 240}}));
  EXPECT_TRUE(scriptFilesRun.empty());
  run.ExpectAllReleased();
}

TEST(RpgMainTest, ARunErrorIsShownUntilEnterThenEverythingIsReleased) {
  onScriptFile = [](uint8_t, uint8_t) {
    PlaceActor(0, 1, 1, 4, 3);
    ChangeMap(1, 9, 0, 0);  // no such map: run error 3
  };
  RpgRun run(Explore());
  run.host.KeyDown(kKeyEnter);
  EXPECT_EQ(scriptFilesRun, (Calls{{1, 1}}));
  ASSERT_TRUE(run.Playing());
  EXPECT_EQ(game.runStatus, 3);
  EXPECT_EQ(hostScreen.width, 160);
  EXPECT_NE(testsupport::FindColor(testsupport::kBlack, 0, 0, 64, 16).left, -1) << "RunErr:3";
  run.host.KeyDown(kKeyLeft);
  EXPECT_TRUE(run.Playing());
  run.host.KeyDown(kKeyEnter);
  ASSERT_FALSE(run.Playing());
  EXPECT_EQ(afters[0].runStatus, 3);
  run.ExpectAllReleased();
}

TEST(RpgMainTest, TwoTitleItemsWrapIntoEachOther) {
  RpgRun run(Explore());
  EXPECT_TRUE(ItemZeroChosen(run));
  run.host.KeyDown(kKeyUp);
  EXPECT_FALSE(ItemZeroChosen(run));
  run.host.KeyDown(kKeyUp);
  EXPECT_TRUE(ItemZeroChosen(run));
  run.host.KeyDown(kKeyDown);
  EXPECT_FALSE(ItemZeroChosen(run));
  // Item 1, loading, comes back to the menu until saved games exist.
  run.host.KeyDown(kKeyEnter);
  EXPECT_TRUE(scriptFilesRun.empty());
  EXPECT_TRUE(ItemZeroChosen(run));
  // The item's animation plays again while no key comes.
  run.host.Advance(5000);
  EXPECT_TRUE(run.Playing());
  run.host.KeyDown(kKeyEscape);
  run.ExpectAllReleased();
}

TEST(RpgMainTest, WithNoTitleItemsTheTitleWaitsForKeysWithoutSpinning) {
  Bytes lib = rpgtest::PackLibrary({{{11, 2, 14}, rpgtest::PictureBytes(8, 8, 1, std::vector<std::string>(8, "########"))}});
  RpgRun run(lib);
  // The title picture is shown, centred: (159 - 8) / 2, (96 - 8) / 2.
  EXPECT_EQ(testsupport::FindColor(testsupport::kBlack, 0, 0, 160, 96),
            (testsupport::Box{75, 44, 82, 51}));
  run.host.Advance(5000);
  run.host.KeyDown(kKeyUp);
  run.host.KeyDown(kKeyDown);
  run.host.KeyDown(kKeyEnter);  // item 0: a new game
  EXPECT_EQ(scriptFilesRun, (Calls{{1, 1}}));
  run.host.Post(kQuitMessage, 0, 0);
  run.ExpectAllReleased();
}

TEST(RpgMainTest, TheExtrasAreTitleScriptsOfBankZero) {
  // Five items, each one long element; the menu starts at item 0 each time.
  const Bytes item = {1, 0, 1, 0, 0, 0, 0, 0, 200, 1, 0};
  std::vector<rpgtest::Resource> res;
  for (int i = 0; i < 5; ++i) res.push_back({{5, 1, uint8_t(250 + i)}, item});
  RpgRun run(rpgtest::PackLibrary(res));
  run.host.KeyDown(kKeyDown);
  run.host.KeyDown(kKeyDown);
  run.host.KeyDown(kKeyEnter);  // item 2
  run.host.KeyDown(kKeyUp);
  run.host.KeyDown(kKeyEnter);  // up from item 0: item 4, the last
  for (int i = 0; i < 5; ++i) run.host.KeyDown(kKeyDown);
  run.host.KeyDown(kKeyEnter);  // round to item 0: a new game
  EXPECT_EQ(scriptFilesRun, (Calls{{0, 1}, {0, 3}, {1, 1}}));
  run.host.Post(kQuitMessage, 0, 0);
  run.ExpectAllReleased();
}

TEST(RpgMainTest, ANewGameAfterAGameOverStartsFreshButKeepsTheVariables) {
  std::vector<GameState> atNewGame;
  onScriptFile = [&](uint8_t, uint8_t) {
    atNewGame.push_back(game);
    ReleaseGame(1);  // the opening clears the last game's map characters first
    PlaceActor(0, 1, 1, 4, 3);
    ChangeMap(1, 1, 0, 0);
    PlaceActor(3, 2, 2, 6, 6);
    game.money = 500;
    game.invCount = 3;
    game.encounterOn = 1;
    game.soundOn = 0;
    game.saveSlot = 1;
    game.scriptVars[5] = 9;
    SetEventFlag(2399);
    game.timerEvent = 9;
    game.timerCount = 1;
  };
  onEvent = [](int n) {
    if (n == 9) game.runStatus = kBackToTitle;
  };
  RpgRun run(Explore());
  run.host.KeyDown(kKeyEnter);
  EXPECT_EQ(game.party[0].header.id, 1);
  run.host.Advance(500);  // the countdown's event: the game is over
  EXPECT_EQ(game.party[0].header.id, 0) << "the party goes back at the title";
  EXPECT_NE(game.npcs[3], nullptr) << "map characters stay until a script removes them";
  EXPECT_TRUE(ItemZeroChosen(run));
  run.host.KeyDown(kKeyEnter);
  ASSERT_EQ(atNewGame.size(), 2u);
  const GameState& fresh = atNewGame[1];
  EXPECT_EQ(fresh.money, 0u);
  EXPECT_EQ(fresh.invCount, 0);
  EXPECT_EQ(fresh.encounterOn, 0);
  EXPECT_EQ(fresh.soundOn, 1);
  EXPECT_EQ(fresh.saveSlot, kNoSaveSlot);
  EXPECT_EQ(fresh.eventFlags[299], 0);
  EXPECT_EQ(fresh.scriptVars[5], 9);
  EXPECT_EQ(fresh.party[0].header.id, 0);
  EXPECT_EQ(atNewGame[0].money, 0u);
  EXPECT_EQ(atNewGame[0].saveAllowed, 1);
  run.host.Post(kQuitMessage, 0, 0);
  run.ExpectAllReleased();
}

TEST(RpgMainTest, ASecondLaunchStartsClean) {
  onScriptFile = [](uint8_t, uint8_t) {
    EXPECT_EQ(game.scriptVars[7], 0) << "a new launch clears the variables";
    EXPECT_EQ(game.npcs[2], nullptr);
    PlaceActor(0, 1, 1, 4, 3);
    ChangeMap(1, 1, 3, 3);
    PlaceActor(2, 2, 2, 9, 9);
    game.scriptVars[7] = 4;
    game.continuousWalk = 1;
  };
  RpgRun run(Explore(), 2);
  run.host.KeyDown(kKeyEnter);
  run.host.Post(kQuitMessage, 0, 0);
  ASSERT_EQ(afters.size(), 1u);
  EXPECT_TRUE(ItemZeroChosen(run)) << "the second launch shows the title";
  EXPECT_EQ(game.viewX, 0);
  EXPECT_EQ(game.continuousWalk, 0);
  EXPECT_STREQ(game.libTitle, "explore");
  run.host.KeyDown(kKeyEnter);
  run.host.Post(kQuitMessage, 0, 0);
  EXPECT_EQ(scriptFilesRun, (Calls{{1, 1}, {1, 1}}));
  run.ExpectAllReleased();
}

// The ways the library itself fails, on a started screen and memory pool
// without the rest of the host.
class LoadLibraryTest : public testsupport::ScreenTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(MemLiveBlocks(), 0);
    EXPECT_EQ(MemVctRelease(), 1);
    EXPECT_TRUE(plat::RecordedMessageBoxes().empty());
    EXPECT_EQ(hostScreen.width, 320);
    EXPECT_EQ(hostScreen.height, 240);
  }
  static void StartMemory() { ASSERT_EQ(MemVctInit(), 1); }
};

TEST_F(LoadLibraryTest, TooBigForTheMemoryPool) {
  env.WriteIni("[MEM]\nmemstack=4096\n");
  StartMemory();
  testsupport::WriteFile(env.RootPath("dat.lib"), std::string(8192, 'L'));
  RpgMain();
}

TEST_F(LoadLibraryTest, NotReadable) {
  StartMemory();
  std::filesystem::create_directory(env.RootPath("dat.lib"));
  RpgMain();
}

}  // namespace
