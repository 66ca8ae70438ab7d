// A whole save and a whole park killed before each of their file operations
// in turn, in a process of their own: once the game has recovered the
// folder (the recovery itself killed at each step first), the slot holds exactly the old game up to the commit point and
// exactly the new one after it, loadable either way, and nothing else in
// Save/ changed.

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

class SaveFaultTest : public ::testing::Test {
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

  testsupport::ScratchDir tree{"fault"};
};

TEST_F(SaveFaultTest, AKilledSaveOrParkLeavesExactlyTheOldOrTheNewGame) {
  ASSERT_EQ(RunChild("prepare", -1), 0);
  const Folder before = Saved();
  ASSERT_EQ(before.size(), 5u) << "slots 0 and 2 and character 2's parked file";
  std::map<std::string, Folder> after;
  // A slot's main file is renamed after the commit point; a parked file's
  // rename is its commit and its last operation.
  const std::map<std::string, bool> modes = {{"save0", true}, {"save1", true}, {"park", false}};
  for (const auto& [mode, stepAfterCommit] : modes) {
    SCOPED_TRACE(mode);
    Restore(before);
    ASSERT_EQ(RunChild(mode, -1), 0);
    after[mode] = Saved();
    ASSERT_NE(after[mode], before);
    bool committed = false;
    int k = 0;
    for (;; ++k) {
      Restore(before);
      const int result = RunChild(mode, k);
      if (result != kKilled) {
        EXPECT_EQ(result, 0);
        break;
      }
      Recover();
      const Folder now = Saved();
      committed = committed || now == after[mode];
      EXPECT_TRUE(now == (committed ? after[mode] : before))
          << "killed before file operation " << k;
    }
    EXPECT_EQ(committed, stepAfterCommit) << "a kill after the commit point";
    EXPECT_GT(k, 3) << "the hook saw too few file operations";
  }

  // Each of those folders loads: the old game, the new one in either slot,
  // character 2 at the level it was parked at.
  struct Loaded {
    bool old0 = false, new0 = false, new1 = false, park5 = false, park9 = false;
    uint32_t oldMoney = 0, newMoney = 0, firstMoney = 0;
    int oldLevel = 0, newLevel = 0;
  } seen;
  auto parkedLevel = [&](const Folder& files, bool& restored) {
    Restore(files);
    RemoveMember(2);
    restored = RestoreParkedMember(2);
    return restored ? int(game.party[MemberSlot(2)].stats.level) : 0;
  };
  rpgtest::GameRun run([&] {
    testsupport::ScopedCwd cwd(tree / "bin");
    rpgtest::StartPlaying();
    Restore(before);
    seen.old0 = ReadSave(0), seen.oldMoney = game.money;
    Restore(after["save0"]);
    seen.new0 = ReadSave(0), seen.newMoney = game.money;
    Restore(after["save1"]);
    seen.new1 = ReadSave(1), seen.firstMoney = game.money;
    seen.oldLevel = parkedLevel(before, seen.park5);
    seen.newLevel = parkedLevel(after["park"], seen.park9);
  }, rpgtest::SavesLibrary());
  ASSERT_TRUE(run.Finished());
  EXPECT_TRUE(seen.old0 && seen.new0 && seen.new1 && seen.park5 && seen.park9);
  EXPECT_EQ(seen.oldMoney, 1111u);
  EXPECT_EQ(seen.newMoney, 4242u);
  EXPECT_EQ(seen.firstMoney, 4242u);
  EXPECT_EQ(seen.oldLevel, 5);
  EXPECT_EQ(seen.newLevel, 9);
}

}  // namespace
