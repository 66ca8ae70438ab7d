// A whole save and a whole park killed before each of their file operations
// in turn, in a process of their own: once the game has recovered the
// folder (the recovery itself killed at each step first), the slot holds
// exactly the old game up to the commit point and exactly the new one after
// it, loadable either way, and nothing else in Save/ changed.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <string>

#include "rpg/engine/game_state.h"
#include "rpg/engine/load_game.h"
#include "rpg/engine/parking.h"
#include "rpg/engine/save_commit.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/saves_game.h"
#include "tests/support/child_process.h"
#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;
using Folder = std::map<std::string, std::string>;  // file name -> bytes

constexpr int kKilled = 128 + 9;  // SIGKILL, as ChildProcess reports it
int recoverKillStep = -1;

// What a child does, and what the game loaded from the Save/ folder holds
// before and after it: a slot's money (-1: no game there), or the level
// character 2 comes back at from the parked file.
struct Mode {
  const char* name;
  uint8_t slot;  // for a save
  bool stepAfterCommit;  // a slot's main file is renamed after the commit
  int oldGame, newGame;
};
const Mode kModes[] = {
    {"save0", 0, true, 1111, 4242},
    {"save1", 1, true, -1, 4242},  // a first save into an empty slot
    {"park", 0, false, 5, 9},      // a parked file's rename is its commit and last step
};

class SaveFaultTest : public ::testing::TestWithParam<Mode> {
 protected:
  SaveFaultTest() {
    tree.Write("bin/.keep", "");
    tree.Write("t/.keep", "");
  }

  // The child's exit code: 0 done, 1 failed, kKilled killed at `step`.
  int RunChild(const std::string& mode, int step) {
    testsupport::ProcessOptions options;
    // What a killed child's host leaves behind stays inside this tree.
    options.env = {"TMPDIR=" + (tree / "t")};
    const testsupport::RunResult run = testsupport::RunToEnd(
        {SAVE_FAULT_CHILD, mode, std::to_string(step), tree / "bin"}, options);
    EXPECT_NE(run.exitCode, 1) << mode << " failed at its end:\n" << run.err;
    return run.exitCode;
  }

  Folder Saved() const {
    Folder files;
    for (const fs::directory_entry& e : fs::directory_iterator(tree / "Save")) {
      files[e.path().filename().string()] = testsupport::ReadFile(e.path().string());
    }
    return files;
  }

  void Restore(const Folder& files) const {
    fs::remove_all(tree / "Save");
    fs::create_directory(tree / "Save");
    for (const auto& [name, bytes] : files) testsupport::WriteFile(tree / ("Save/" + name), bytes);
  }

  // What the game does before it reads a slot or a parked file, killed
  // before each of its own file operations in turn (a forked child: no host
  // runs in this process here), then once whole.
  void Recover() const {
    testsupport::ScopedCwd cwd(tree / "bin");
    for (int step = 0;; ++step) {
      const pid_t pid = fork();
      if (pid == 0) {
        recoverKillStep = step;
        SetFileStepHook([](int k) {
          if (k == recoverKillStep) raise(SIGKILL);
        });
        RecoverAll();
        _exit(0);
      }
      int status = 0;
      EXPECT_EQ(waitpid(pid, &status, 0), pid);
      if (!WIFSIGNALED(status)) break;
    }
    RecoverAll();
  }

  static void RecoverAll() {
    for (const char* slot : {"0", "2", "4"}) {
      const std::string main = std::string("..\\Save\\saves") + slot + ".sav";
      const std::string member = std::string("..\\Save\\saves") + char(slot[0] + 1) + ".sav";
      RecoverSlot(main.c_str(), member.c_str());
    }
    RecoverFile("..\\Save\\saves\x96.savt");
  }

  int Loaded(const Folder& files) const {
    const bool park = std::string(GetParam().name) == "park";
    int value = -2;
    rpgtest::GameRun run([&] {
      testsupport::ScopedCwd cwd(tree / "bin");
      rpgtest::StartPlaying();
      Restore(files);
      if (park) {
        RemoveMember(2);
        value = RestoreParkedMember(2) ? int(game.party[MemberSlot(2)].stats.level) : -1;
      } else {
        value = ReadSave(GetParam().slot) ? int(game.money) : -1;
      }
    }, rpgtest::SavesLibrary());
    EXPECT_TRUE(run.Finished()) << "a message: the folder did not load";
    return value;
  }

  testsupport::ScratchDir tree{"fault"};
};

INSTANTIATE_TEST_SUITE_P(SaveAndPark, SaveFaultTest, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(SaveFaultTest, AKilledSaveOrParkLeavesExactlyTheOldOrTheNewGame) {
  const Mode& mode = GetParam();
  ASSERT_EQ(RunChild("prepare", -1), 0);
  const Folder before = Saved();
  ASSERT_EQ(before.size(), 5u) << "slots 0 and 2 and character 2's parked file";
  ASSERT_EQ(RunChild(mode.name, -1), 0);
  const Folder after = Saved();
  ASSERT_NE(after, before);
  bool committed = false;
  int k = 0;
  for (;; ++k) {
    Restore(before);
    const int result = RunChild(mode.name, k);
    if (result != kKilled) {
      EXPECT_EQ(result, 0);
      break;
    }
    Recover();
    const Folder now = Saved();
    committed = committed || now == after;
    EXPECT_TRUE(now == (committed ? after : before)) << "killed before file operation " << k;
  }
  EXPECT_EQ(committed, mode.stepAfterCommit) << "a kill after the commit point";
  EXPECT_GT(k, 3) << "the hook saw too few file operations";
  // Both folders load, as the old and as the new game.
  EXPECT_EQ(Loaded(before), mode.oldGame);
  EXPECT_EQ(Loaded(after), mode.newGame);
}

}  // namespace
