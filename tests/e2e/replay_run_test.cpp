// The host program replaying scripts headless: the frames it saves match the
// golden pictures, the same script gives the same frames, and a replay that
// cannot be carried out says so and ends with 1.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/png.h"
#include "tests/support/child_process.h"
#include "tests/support/golden.h"
#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;
using testsupport::RunResult;
using testsupport::RunToEnd;

// In the sanitizer build the host, viewer and player are instrumented too:
// a replay must end without a report from any of them.
::testing::AssertionResult SanitizerClean(const RunResult& run) {
  for (const char* report : {"Sanitizer", "runtime error:"}) {
    if (run.err.find(report) != std::string::npos) {
      return ::testing::AssertionFailure() << "sanitizer report:\n" << run.err;
    }
  }
  return ::testing::AssertionSuccess();
}

// A frame of a replay and the golden picture it must equal.
struct GoldenFrame {
  std::string frame;
  std::string golden;
};

class ReplayRunTest : public ::testing::Test {
 protected:
  RunResult Replay(const std::string& script, const std::string& frames,
                   const char* app = nullptr, const std::string& program = TOVSIM_PROGRAM) {
    std::vector<std::string> args{program};
    if (app) args.insert(args.end(), {"--app", app});
    args.insert(args.end(),
                {"--replay", std::string(REPLAY_SCRIPTS) + "/" + script, "--frames", folder_ / frames});
    RunResult run = RunToEnd(args);
    EXPECT_TRUE(SanitizerClean(run));
    return run;
  }

  plat::Image Frame(const std::string& frames, const std::string& name) {
    auto image = plat::ReadPngFile(folder_ / (frames + "/" + name));
    EXPECT_TRUE(image) << image.error().Text();
    return image ? *image : plat::Image();
  }

  std::string Bytes(const std::string& frames, const std::string& name) {
    return folder_.Read(frames + "/" + name);
  }

  // Each frame of the run saved in `first` against its golden and, when
  // `second` names another run, equal to that run's frame byte for byte.
  void ExpectFrames(const std::string& first, const std::vector<GoldenFrame>& frames,
                    const std::string& second = "") {
    for (const GoldenFrame& step : frames) {
      const std::string file = step.frame + ".png";
      EXPECT_TRUE(testsupport::MatchesGolden(Frame(first, file), step.golden)) << step.frame;
      if (!second.empty()) {
        EXPECT_EQ(Bytes(first, file), Bytes(second, file)) << step.frame;
      }
    }
  }

  // Each replay makes an instance of its own unless one is named.
  testsupport::ScopedEnv noInstance_{"TOVSIM_INSTANCE", std::nullopt};
  testsupport::ScratchDir folder_{"replay"};
};

TEST_F(ReplayRunTest, DesktopWithVelmorHighlighted) {
  const RunResult run = Replay("desktop_velmor.replay", "frames");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(testsupport::MatchesGolden(Frame("frames", "velmor_highlighted.png"),
                                         "replay/desktop_velmor_highlighted"));
  // Redrawing the selected label leaves the screen as it started.
  EXPECT_EQ(Bytes("frames", "start.png"), Bytes("frames", "velmor_highlighted.png"));
}

// Velmor's frames: the Desktop and `sameAsTitle` are the end-to-end test's
// goldens (tests/golden/velmor/), every other frame has its own,
// replay/`prefix``frame`.
std::vector<GoldenFrame> VelmorFrames(const std::string& prefix, std::vector<std::string> own,
                                      const std::vector<std::string>& sameAsTitle) {
  std::vector<GoldenFrame> frames{{"desktop_again", "velmor/desktop"}};
  for (const std::string& frame : sameAsTitle) frames.push_back({frame, "velmor/title"});
  for (const std::string& frame : own) frames.push_back({frame, "replay/" + prefix + frame});
  return frames;
}

// Velmor's opening played from the Desktop to the chapter's end and back:
// every step against its golden, both runs alike, nothing left behind.
TEST_F(ReplayRunTest, VelmorOpeningToTheChaptersEndAndBackTheSameEveryTime) {
  const RunResult first = Replay("velmor_opening.replay", "first");
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.err.find("MEM VCT has res leak!"), std::string::npos) << first.err;
  const RunResult second = Replay("velmor_opening.replay", "second");
  ASSERT_EQ(second.exitCode, 0) << second.err;
  std::vector<GoldenFrame> frames = VelmorFrames(
      "velmor_",
      {"title_up", "title_down", "crawl", "chapter_card", "village", "before_xiaodou", "say_portrait",
       "menu", "menu_ask", "answer", "gate", "field", "stone", "end_choice", "end_chosen", "farewell",
       "title_again"},
      {"title"});
  frames.push_back({"desktop", "velmor/desktop"});
  ExpectFrames("first", frames, "second");
  // Esc at the title leaves the Desktop as the double click found it.
  EXPECT_EQ(Bytes("first", "desktop.png"), Bytes("first", "desktop_again.png"));
}

// The whole first chapter as a player goes through it: the quest taken,
// asked, the companion joining, three herbs, the cure, the elder's thanks,
// the farewell, the title and the Desktop, with nothing left behind.
TEST_F(ReplayRunTest, VelmorChapterPlayedToItsEnd) {
  const RunResult run = Replay("velmor_chapter.replay", "frames");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err.find("MEM VCT has res leak!"), std::string::npos) << run.err;
  ExpectFrames("frames", VelmorFrames("velmor_chapter_",
                                      {"accepted", "granny_asks", "azhu_joined", "herb_1", "herb_2",
                                       "three_herbs", "back_in_village", "granny_cured",
                                       "elder_thanks", "farewell"},
                                      {"title_again"}));
}

// A run tree of its own for replays that save or play another library: the
// host program copied (it finds its tree from its own path), the rest of the
// build's tree linked, Save/ empty, dat.lib `library` when one is named. The
// host program's path in it.
std::string OwnRunTree(const testsupport::ScratchDir& dir, const char* library = nullptr) {
  const fs::path program(TOVSIM_PROGRAM);
  const fs::path tree = program.parent_path().parent_path();
  const fs::path own = dir / "tree";
  fs::create_directories(own / "bin");
  fs::create_directory(own / "Save");
  fs::copy_file(program, own / "bin" / program.filename());
  for (const fs::directory_entry& e : fs::directory_iterator(tree)) {
    const fs::path name = e.path().filename();
    if (name != "bin" && name != "Save" && !(library && name == "dat.lib")) {
      fs::create_symlink(e.path(), own / name);
    }
  }
  if (library) fs::create_symlink(library, own / "dat.lib");
  return (own / "bin" / program.filename()).string();
}

// Velmor saved at the inn into an empty slot 0, then, in the same run tree,
// a second process loading it from the title: the load screen shows the
// slot, the game comes back as it was saved, and saving over slot 0 asks
// first ("否" keeps the files).
TEST_F(ReplayRunTest, VelmorSavedAtTheInnAndLoadedFromTheTitle) {
  const std::string program = OwnRunTree(folder_);
  const RunResult save = Replay("velmor_save.replay", "save", nullptr, program);
  ASSERT_EQ(save.exitCode, 0) << save.err;
  auto slot0 = [&] {
    return folder_.Read("tree/Save/Velmor0.sav") + folder_.Read("tree/Save/Velmor1.sav");
  };
  const std::string slot = slot0();
  ASSERT_EQ(slot.size(), 2705u + 172u) << "the main file and the hero's record";
  const RunResult load = Replay("velmor_load.replay", "load", nullptr, program);
  ASSERT_EQ(load.exitCode, 0) << load.err;
  const std::vector<GoldenFrame> frames = {
      {"save/offer", "replay/velmor_save_offer"},
      {"save/slots_empty", "replay/velmor_save_slots_empty"},
      {"save/saving", "replay/velmor_save_saving"},
      {"save/map_after_save", "replay/velmor_save_map_after_save"},
      {"load/title_load", "replay/velmor_load_title"},
      {"load/slots_load", "replay/velmor_load_slots"},
      {"load/loaded", "replay/velmor_load_loaded"},
      {"load/overwrite", "replay/velmor_load_overwrite"},
  };
  for (const GoldenFrame& step : frames) {
    const std::string folder = step.frame.substr(0, step.frame.find('/'));
    const std::string file = step.frame.substr(folder.size() + 1) + ".png";
    EXPECT_TRUE(testsupport::MatchesGolden(Frame(folder, file), step.golden)) << step.frame;
  }
  const plat::Image saved = Frame("save", "map_after_save.png"), loaded = Frame("load", "loaded.png");
  EXPECT_TRUE(saved.width == loaded.width && saved.pixels == loaded.pixels)
      << "the loaded game looks as it did when saved";
  EXPECT_EQ(slot0(), slot) << "answered 否";
}

// The battle test library as the game's library: one battle won (the
// command panel, the magic list and target mark, the status view, a magic's
// effect and pop-ups, an enemy's cast, the gains strip, the drop, the
// level-up and learned panels, the win branch) and one lost (its lose
// branch), each played twice alike, ending on the Desktop with no leak.
TEST_F(ReplayRunTest, BattlesWonAndLostTheSameEveryTime) {
  const std::string program = OwnRunTree(folder_, BATTLE_LIB);
  const std::vector<std::pair<std::string, std::vector<std::string>>> battles = {
      {"won", {"panel", "magic_list", "target", "battle_menu", "status_view", "magic_effect", "popup",
               "enemy_cast", "gains", "drop", "level_up_strip", "level_up_panel", "learned", "victory",
               "title_again"}},
      {"lost", {"choice", "ogre_strike", "first_down", "last_member", "last_strike", "both_down",
                "lose_branch", "title_again"}}};
  for (const auto& [battle, frames] : battles) {
    const std::string script = "battle_" + battle + ".replay";
    for (const std::string& run : {battle + "1", battle + "2"}) {
      const RunResult result = Replay(script, run, nullptr, program);
      ASSERT_EQ(result.exitCode, 0) << result.err;
      EXPECT_EQ(result.err.find("MEM VCT has res leak!"), std::string::npos) << result.err;
    }
    std::vector<GoldenFrame> golden{{"desktop", "velmor/desktop"}};
    for (const std::string& frame : frames) golden.push_back({frame, "replay/battle_" + battle + "_" + frame});
    ExpectFrames(battle + "1", golden, battle + "2");
  }
}

// A line past the application's end, or a frame armed for a screen update
// that never comes, fails the run at that line, leaving the frame unwritten.
TEST_F(ReplayRunTest, ReplayThatCannotBeCarriedOutFails) {
  const std::pair<std::string, std::string> cases[] = {
      {"ends_early", "line 3 (300 ms): the application ended before this line"},
      {"update_never", "line 3 (50 ms): screen update 50 for never.png never came (3 by the end"},
  };
  for (const auto& [script, error] : cases) {
    const RunResult run = Replay("testapp_" + script + ".replay", script, "testapp");
    EXPECT_EQ(run.exitCode, 1) << script;
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_empty(folder_ / script)) << script;
  }
}

TEST_F(ReplayRunTest, BadScriptOrFramesFolderStopsBeforeStarting) {
  const std::string script = folder_.Write("bad.replay", "0 frame a.png\n10 wiggle\n");
  RunResult run = RunToEnd({TOVSIM_PROGRAM, "--replay", script, "--frames", folder_ / "out"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("bad.replay:2:4: error: unknown command 'wiggle'"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(folder_ / "out"));

  const std::string file = folder_.Write("file", "not a folder");
  run = RunToEnd({TOVSIM_PROGRAM, "--replay", std::string(REPLAY_SCRIPTS) + "/desktop_velmor.replay",
                  "--frames", file});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("is not a folder"), std::string::npos) << run.err;

  run = RunToEnd({TOVSIM_PROGRAM, "--replay", script});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("go together"), std::string::npos) << run.err;
}

// A game played twice by one script: each frame against its golden,
// replay/`prefix``frame`, both runs alike, and frames named in `alike` equal.
struct PlayedTwice {
  const char* name;
  const char* script;
  const char* app;
  const char* prefix;
  std::vector<std::string> frames;
  std::vector<std::pair<std::string, std::string>> alike;
  bool checkLeaks;
};

void PrintTo(const PlayedTwice& c, std::ostream* os) { *os << c.name; }

class ReplayTwiceTest : public ReplayRunTest, public ::testing::WithParamInterface<PlayedTwice> {};

TEST_P(ReplayTwiceTest, PlaysTheSameEveryTime) {
  const PlayedTwice& c = GetParam();
  for (const char* run : {"first", "second"}) {
    const RunResult result = Replay(c.script, run, c.app);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    if (c.checkLeaks) {
      EXPECT_EQ(result.err.find("leak"), std::string::npos) << result.err;
    }
  }
  std::vector<GoldenFrame> golden;
  for (const std::string& frame : c.frames) golden.push_back({frame, c.prefix + frame});
  ExpectFrames("first", golden, "second");
  for (const auto& [a, b] : c.alike) EXPECT_EQ(Bytes("first", a + ".png"), Bytes("first", b + ".png"));
}

// The shop, menus and battle runs (the battle: a wolf met on the field after
// the chapter's quest) end on the map, so the game's blocks are still held
// then. In the pairs game a millisecond before the 700 have passed both faces
// still show, and the new deal looks like the first.
INSTANTIATE_TEST_SUITE_P(
    Games, ReplayTwiceTest,
    ::testing::Values(
        PlayedTwice{"TestApp", "testapp_ten_ticks.replay", "testapp", "replay/testapp_",
                    {"ten_ticks"}, {}, false},
        // A frame armed for the second screen update from 550 ms on is the
        // tick at 700 ms, as the screen still shows it at 750 ms.
        PlayedTwice{"TestAppUpdateFrame", "testapp_update_frame.replay", "testapp", "replay/testapp_",
                    {}, {{"tick_6", "after_tick_6"}}, true},
        PlayedTwice{"Blocks", "blocks_game_over.replay", "blocks", "replay/blocks_",
                    {"first", "moved_and_turned", "row_cleared", "game_over"}, {}, true},
        PlayedTwice{"VelmorShop", "velmor_shop.replay", nullptr, "replay/velmor_shop_",
                    {"shop_choice", "buy_list", "buy_dialog", "bought", "sell_list", "sell_dialog",
                     "sold", "map_again"},
                    {}, false},
        PlayedTwice{"VelmorMenus", "velmor_menus.replay", nullptr, "replay/velmor_menus_",
                    {"menu", "status", "status_page1", "equip", "equip_pick", "equip_compare",
                     "equip_worn", "item_pick", "item_use", "item_used", "magic_pick", "magic_target",
                     "status_after", "status_after_page1", "map_again"},
                    {}, false},
        PlayedTwice{"VelmorBattle", "velmor_battle.replay", nullptr, "replay/velmor_battle_",
                    {"battle", "second_member", "strike", "round_two", "gains", "map_again"},
                    {}, false},
        PlayedTwice{"Tiles", "tiles_play.replay", "tiles", "replay/tiles_",
                    {"deal", "selected", "matched", "reselected"}, {}, true},
        PlayedTwice{"Pairs", "pairs_alone.replay", "pairs", "replay/pairs_",
                    {"dealt", "mismatch_shown", "mismatch_turned_back", "pair_taken", "win", "new_game"},
                    {{"mismatch_still", "mismatch_shown"}, {"new_game", "dealt"}}, true},
        // An erased digit leaves the puzzle as dealt; OK in the level dialog
        // empties the board.
        PlayedTwice{"NumGridPlay", "numgrid_play.replay", "numgrid", "replay/numgrid_",
                    {"empty", "puzzle", "placed"}, {{"erased", "puzzle"}}, true},
        PlayedTwice{"NumGridLevel", "numgrid_level.replay", "numgrid", "replay/numgrid_",
                    {"level3", "empty"}, {}, true},
        PlayedTwice{"NumGridSolve", "numgrid_solve.replay", "numgrid", "replay/numgrid_",
                    {"filled"}, {}, true}),
    [](const ::testing::TestParamInfo<PlayedTwice>& info) { return info.param.name; });

}  // namespace
