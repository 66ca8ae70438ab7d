// Committing a slot's two files and a parked file: a crash at any file
// operation leaves exactly the old or exactly the new files once recovered.

#include "rpg/engine/save_commit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace {

using testsupport::ReadFile;
using testsupport::ScopedCwd;
using testsupport::ScratchDir;

constexpr const char* kMain = "..\\Save\\T0.sav";
constexpr const char* kMember = "..\\Save\\T1.sav";
constexpr const char* kParked = "..\\Save\\T\x95.savt";
const std::vector<std::string> kUntouched = {"T2.sav", "T3.sav", "T\x96.savt"};

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

int killStep = -1;
void KillAt(int step) {
  if (step == killStep) raise(SIGKILL);
}

// Runs `action` in a child that kills itself before file operation `k`: -1
// when it was killed, else 0 when the action answered true and 1 when not.
int RunChild(int k, const std::function<bool()>& action) {
  killStep = k;
  const pid_t pid = fork();
  if (pid == 0) {
    SetFileStepHook(KillAt);
    _exit(action() ? 0 : 1);
  }
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, 0), pid);
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

std::string MadeFolder(const ScratchDir& tree, const std::string& name) {
  tree.Write(name + "/.keep", "");
  return tree / name;
}

class SaveCommitTest : public ::testing::Test {
 protected:
  SaveCommitTest() {
    for (const std::string& name : kUntouched) tree.Write("Save/" + name, "other " + name);
  }

  // Every file of Save/ other than the untouched ones, "name=bytes;".
  std::string SaveFolder() const {
    std::string listing;
    for (const char* name : {"T0.sav", "T1.sav", "T0.sav.new", "T1.sav.new", "T\x95.savt",
                             "T\x95.savt.new"}) {
      const std::string path = tree / ("Save/" + std::string(name));
      if (access(path.c_str(), F_OK) == 0) listing += std::string(name) + "=" + ReadFile(path) + ";";
    }
    for (const std::string& name : kUntouched) {
      EXPECT_EQ(tree.Read("Save/" + name), "other " + name);
    }
    return listing;
  }

  // A save killed before each file operation in turn (each followed by a
  // recovery killed at each step, then a whole one): the folder shows
  // `before` up to some operation and `after` from there on. Whether a kill
  // came after the commit point.
  bool ExpectOldThenNew(const std::function<void()>& setUp, const std::function<bool()>& save,
                        const std::function<void()>& recover, const std::string& before,
                        const std::string& after) {
    bool sawOld = false, committed = false;
    for (int k = 0;; ++k) {
      setUp();
      const int result = RunChild(k, save);
      if (result >= 0) {
        EXPECT_EQ(result, 0) << "the save ran to its end and failed";
        break;
      }
      for (int j = 0; RunChild(j, [&] { recover(); return true; }) < 0; ++j) {
      }
      recover();
      const std::string now = SaveFolder();
      committed = committed || now == after;
      sawOld = sawOld || now == before;
      EXPECT_EQ(now, committed ? after : before) << "killed before file operation " << k;
    }
    EXPECT_TRUE(sawOld) << "no kill before the commit point";
    EXPECT_EQ(SaveFolder(), after) << "a save that ran to its end";
    return committed;
  }

  ScratchDir tree{"save"};
  ScopedCwd cwd{MadeFolder(tree, "bin")};
};

TEST_F(SaveCommitTest, ASlotHoldsTheOldOrTheNewGameNeverAMix) {
  struct Case {
    const char* name;
    std::string oldMain, oldMember;  // empty: no file
  };
  for (const Case& c : {Case{"overwrite", "old main", "old member"}, Case{"first save", "", ""}}) {
    SCOPED_TRACE(c.name);
    auto setUp = [&] {
      for (const char* name : {"T0.sav", "T1.sav", "T0.sav.new", "T1.sav.new"}) {
        unlink((tree / ("Save/" + std::string(name))).c_str());
      }
      if (!c.oldMain.empty()) tree.Write("Save/T0.sav", c.oldMain);
      if (!c.oldMember.empty()) tree.Write("Save/T1.sav", c.oldMember);
    };
    const std::string before = c.oldMain.empty() ? "" : "T0.sav=old main;T1.sav=old member;";
    EXPECT_TRUE(ExpectOldThenNew(
        setUp, [] { return CommitSlotFiles(kMain, Bytes("new main"), kMember, Bytes("new member")); },
        [] { RecoverSlot(kMain, kMember); }, before, "T0.sav=new main;T1.sav=new member;"))
        << "a kill between the commit point and the main file's rename";
  }
}

TEST_F(SaveCommitTest, AParkedFileHoldsItsOldOrNewRecord) {
  auto setUp = [&] {
    tree.Write("Save/T\x95.savt", "old record");
    unlink((tree / "Save/T\x95.savt.new").c_str());
  };
  ExpectOldThenNew(
      setUp, [] { return CommitFile(kParked, Bytes("new record")); },
      [] { RecoverFile(kParked); }, "T\x95.savt=old record;", "T\x95.savt=new record;");
}

TEST_F(SaveCommitTest, AFailedWriteLeavesTheOldFilesAndNoNewOnes) {
  tree.Write("Save/T0.sav", "old main");
  tree.Write("Save/T1.sav", "old member");
  // The member ".new" is written, the main one cannot be opened.
  EXPECT_FALSE(CommitSlotFiles("..\\Gone\\T0.sav", Bytes("new main"), kMember, Bytes("new member")));
  EXPECT_EQ(SaveFolder(), "T0.sav=old main;T1.sav=old member;");
  EXPECT_FALSE(CommitFile("..\\Gone\\T\x95.savt", Bytes("record")));
  EXPECT_EQ(SaveFolder(), "T0.sav=old main;T1.sav=old member;");
}

}  // namespace
