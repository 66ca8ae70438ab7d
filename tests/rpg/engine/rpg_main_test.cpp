// The game's entry: loading the library, every way out of the game (each
// back in the Desktop's mode with nothing left behind), the title and its
// items, a new game's fresh state, and a second launch in the same process.
// The scripts the title starts are real ones: each logs that it ran into the
// script variables and does what its test asks.

#include "rpg/engine/rpg_main.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/device_api.h"
#include "platform/sys/msgbox.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::Bytes;
using rpgtest::LoggedValues;
using Modes = std::vector<std::pair<int, int>>;
// The keys of the scripts that ran, as they log them: 0x11 is (1, 1).
using Keys = std::vector<int>;

// What was left when RpgMain returned.
struct After {
  int liveBlocks;
  bool canvasesGone;
  uint8_t runStatus;
};
std::vector<After> afters;
int launches = 1;

// The application: waits for the test's go (its dat.lib written), runs the
// game `launches` times, then counts the messages 5 s bring (a timer left
// running shows there).
void GameEntry() {
  Message m;
  GetMsg(&m);
  for (int i = 0; i < launches; ++i) {
    RpgMain();
    afters.push_back({MemLiveBlocks(), !game.sceneCanvas && !game.mapCanvas && !game.scratchCanvas,
                      game.runStatus});
  }
  testsupport::KeepPendingAfterWait();
}

class RpgRun {
 public:
  explicit RpgRun(Bytes library, int times = 1) {
    afters.clear();
    launches = times;
    if (!library.empty()) {
      testsupport::WriteFile(host.env.RootPath("dat.lib"), std::string(library.begin(), library.end()));
    }
    host.Post(MsgKeyUp, 0, 0);
  }
  // A game a failed test left running (a run error waits for Enter) is
  // ended, so the host can stop.
  ~RpgRun() {
    for (int i = 0; i < 20 && int(afters.size()) < launches; ++i) {
      host.Post(kQuitMessage, 0, 0);
      host.KeyDown(kKeyEnter);
      host.Advance(1000);
    }
  }

  // Once the game has ended: five seconds for a stray timer; checks
  // everything went.
  void ExpectAllReleased() {
    ASSERT_EQ(int(afters.size()), launches);
    host.Advance(5000);
    host.Join();
    for (const After& a : afters) {
      EXPECT_EQ(a.liveBlocks, 0);
      EXPECT_TRUE(a.canvasesGone);
    }
    EXPECT_EQ(testsupport::PendingAfterReturn(), 0) << "a timer still ran";
    EXPECT_EQ(hostScreen.width, 320);
    EXPECT_TRUE(testsupport::MessageBoxTexts().empty());
  }

  bool Playing() const { return afters.empty(); }
  void Keys(std::initializer_list<uint32_t> keys) {
    for (uint32_t key : keys) host.KeyDown(key);
  }
  // Message 273 ends the game; then everything is checked as released.
  void Quit() {
    host.Post(kQuitMessage, 0, 0);
    ExpectAllReleased();
  }

  testsupport::HostRun host{GameEntry};
};

// Script (bank, no) that notes its key (bank x 16 + no) in the variables'
// log, then runs `body`.
rpgtest::ScriptSource Logged(uint8_t bank, uint8_t no, const std::string& body = "End\n") {
  return {bank, no,
          "CopyVar 2, 3\nCopyVar 1, 2\nSetVar 1, " + std::to_string(bank * 16 + no) +
              "\nAddVar 0, 1\n" + body};
}

// The script test library (the exploration library with an item) with the
// new game's script (1, 1) logged, then running `body`.
Bytes LoggedGame(const std::string& body) { return rpgtest::ScriptLibrary(Logged(1, 1, body).source); }

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
  EXPECT_EQ(run.host.ScreenModes(), (Modes{{160, 96}, {320, 240}}));
  run.ExpectAllReleased();
}

TEST(RpgMainTest, TheTitleWrapsAndEscEndsTheGameWithoutARunError) {
  RpgRun run(rpgtest::TestLibrary("explore"));
  EXPECT_TRUE(run.Playing());
  EXPECT_TRUE(ItemZeroChosen(run));
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/title"));
  // Up from item 0 is item 1, loading: its slot screen left with Esc comes
  // back to the menu; the item's animation plays again while no key comes.
  run.host.KeyDown(kKeyUp);
  EXPECT_FALSE(ItemZeroChosen(run));
  run.Keys({kKeyEnter, kKeyEscape});
  EXPECT_TRUE(ItemZeroChosen(run));
  run.host.Advance(5000);
  EXPECT_TRUE(run.Playing());
  run.host.KeyDown(kKeyEscape);
  ASSERT_FALSE(run.Playing());
  EXPECT_EQ(afters[0].runStatus, 0);
  EXPECT_EQ(run.host.ScreenModes(), (Modes{{160, 96}, {320, 240}}));
  run.ExpectAllReleased();
}

TEST(RpgMainTest, ARunErrorIsShownUntilEnterThenEverythingIsReleased) {
  // No such map: run error 3.
  RpgRun run(LoggedGame("AddMember 1, 4, 3\nGoMap 1, 9, 0, 0\n"));
  run.host.KeyDown(kKeyEnter);
  EXPECT_EQ(LoggedValues(), Keys{0x11});
  ASSERT_TRUE(run.Playing());
  EXPECT_EQ(game.runStatus, 3);
  EXPECT_EQ(hostScreen.width, 160);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/run_error"));
  run.host.KeyDown(kKeyLeft);
  EXPECT_TRUE(run.Playing());
  run.host.KeyDown(kKeyEnter);
  ASSERT_FALSE(run.Playing());
  EXPECT_EQ(afters[0].runStatus, 3);
  run.ExpectAllReleased();
}

TEST(RpgMainTest, WithNoTitleItemsTheTitleWaitsForKeysWithoutSpinning) {
  Bytes lib = rpgtest::PackLibrary(
      {{{11, 2, 14}, rpgtest::PictureBytes(8, 8, 1, std::vector<std::string>(8, "########"))},
       {{1, 1, 1}, rpgtest::AssembleScript(Logged(1, 1).source)}});
  RpgRun run(lib);
  // The title picture is shown, centred: (159 - 8) / 2, (96 - 8) / 2.
  EXPECT_EQ(testsupport::FindColor(testsupport::kBlack, 0, 0, 160, 96),
            (testsupport::Box{75, 44, 82, 51}));
  run.host.Advance(5000);
  run.Keys({kKeyUp, kKeyDown, kKeyEnter});  // item 0: a new game
  EXPECT_EQ(LoggedValues(), Keys{0x11});
  // The opening placed nobody and loaded no map: the map loop takes keys and
  // ticks without reading anything; Esc opens the system menu and closes it.
  run.Keys({kKeyUp, kKeyLeft, kKeyEnter, kKeyEscape, kKeyEscape});
  run.host.Advance(1000);
  EXPECT_EQ(game.runStatus, 0);
  run.Quit();
}

TEST(RpgMainTest, TheExtrasAreTitleScriptsOfBankZero) {
  // Five items, each one long element; the menu starts at item 0 each time.
  const Bytes item = {1, 0, 1, 0, 0, 0, 0, 0, 200, 1, 0};
  std::vector<rpgtest::Resource> res;
  for (int i = 0; i < 5; ++i) res.push_back({{5, 1, uint8_t(250 + i)}, item});
  for (const auto& script : {Logged(0, 1), Logged(0, 3), Logged(1, 1)}) {
    res.push_back({{1, script.bank, script.no}, rpgtest::AssembleScript(script.source)});
  }
  RpgRun run(rpgtest::PackLibrary(res));
  run.Keys({kKeyDown, kKeyDown, kKeyEnter});  // item 2
  run.Keys({kKeyUp, kKeyEnter});  // up from item 0: item 4, the last
  run.Keys({kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter});  // round to item 0: a new game
  EXPECT_EQ(LoggedValues(), (Keys{0x01, 0x03, 0x11}));
  run.Quit();
}

// The opening of these tests: a message that waits for Enter, so the test
// sees the state a new game starts with, then the game set up.
constexpr const char* kOpening = R"(.event 9, over
    Alert "go"
    ClearNpcs
    AddMember 1, 4, 3
    GoMap 1, 1, 0, 0
    PlaceNpc 4, 2, 6, 6
    SetMoney 500
    GiveItem 14, 1
    EncounterOn
    SetVar 5, 9
    SetFlag 2399
    Countdown 9, 3
    End
over:
    GameOver
    End
)";

TEST(RpgMainTest, ANewGameAfterAGameOverStartsFreshButKeepsTheVariables) {
  RpgRun run(LoggedGame(kOpening));
  run.host.KeyDown(kKeyEnter);
  EXPECT_EQ(game.money, 0u);
  EXPECT_EQ(game.saveAllowed, 1);
  run.host.KeyDown(kKeyEnter);
  run.host.Advance(1100);  // the item's message
  EXPECT_EQ(game.party[0].header.id, 1);
  EXPECT_EQ(game.money, 500u);
  EXPECT_EQ(game.invCount, 1);
  run.host.Advance(2000);  // the countdown's event: the game is over
  EXPECT_EQ(game.party[0].header.id, 0) << "the party goes back at the title";
  EXPECT_NE(game.npcs[3], nullptr) << "map characters stay until a script removes them";
  EXPECT_TRUE(ItemZeroChosen(run));
  run.host.KeyDown(kKeyEnter);
  // The second game waits at its message with the state it starts with.
  EXPECT_EQ(LoggedValues(), (Keys{0x11, 0x11}));
  EXPECT_EQ(game.money, 0u);
  EXPECT_EQ(game.invCount, 0);
  EXPECT_EQ(game.encounterOn, 0);
  EXPECT_EQ(game.soundOn, 1);
  EXPECT_EQ(game.saveSlot, kNoSaveSlot);
  EXPECT_EQ(game.eventFlags[299], 0);
  EXPECT_EQ(game.scriptVars[5], 9);
  EXPECT_EQ(game.party[0].header.id, 0);
  // It runs clean: its characters take their slots again.
  run.host.KeyDown(kKeyEnter);
  run.host.Advance(1100);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_NE(game.npcs[3], nullptr);
  EXPECT_EQ(game.invCount, 1);
  run.Quit();
}

TEST(RpgMainTest, ASecondLaunchStartsClean) {
  RpgRun run(LoggedGame(R"(
    Alert "go"
    AddMember 1, 4, 3
    GoMap 1, 1, 3, 3
    PlaceNpc 3, 2, 9, 9
    SetVar 7, 4
    End
)"), 2);
  run.Keys({kKeyEnter, kKeyEnter});
  EXPECT_EQ(game.scriptVars[7], 4);
  EXPECT_EQ(game.viewX, 3);
  run.host.Post(kQuitMessage, 0, 0);
  ASSERT_EQ(afters.size(), 1u);
  EXPECT_TRUE(ItemZeroChosen(run)) << "the second launch shows the title";
  EXPECT_EQ(game.viewX, 0);
  EXPECT_STREQ(game.libTitle, "script");
  run.host.KeyDown(kKeyEnter);
  EXPECT_EQ(LoggedValues(), Keys{0x11}) << "a new launch clears the variables";
  EXPECT_EQ(game.scriptVars[7], 0);
  EXPECT_EQ(game.npcs[2], nullptr);
  run.host.KeyDown(kKeyEnter);
  run.Quit();
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
