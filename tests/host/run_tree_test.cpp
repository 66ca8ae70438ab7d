// The note for a file missing from the run tree names the path looked for
// (absolute, without "..") and the build target that makes it.

#include "host/run_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace {

TEST(RunTreeTest, AMissingFileIsNamedWithItsPathAndTarget) {
  struct Case {
    const char* path;
    const char* expectedPath;  // a suffix of the path the note names
  };
  for (const Case& c : {Case{"/nowhere/sim/dat.lib", " /nowhere/sim/dat.lib\n"},
                        Case{"..\\Snd\\Snd.exe", "/Snd/Snd\n"}}) {
    const std::string note = MissingFileNote(c.path, "the thing", "thing_target");
    EXPECT_EQ(note.rfind("tovsim: the thing is missing: looked for ", 0), 0u) << note;
    EXPECT_NE(note.find(c.expectedPath), std::string::npos) << note;
    EXPECT_EQ(note.find(".."), std::string::npos) << note;
    EXPECT_NE(note.find("cmake --build build --target thing_target"), std::string::npos) << note;
  }
}

TEST(RunTreeTest, ExistenceIsCheckedOnTheTranslatedPath) {
  testsupport::ScratchDir dir("run_tree");
  const std::string file = dir.Write("present.dat", "x");
  EXPECT_TRUE(RunTreeFileExists(file.c_str(), "present", "t"));
  EXPECT_FALSE(RunTreeFileExists((dir / "absent.dat").c_str(), "absent", "t"));
}

TEST(RunTreeTest, AReadOnlyTreeSavesUnderTheUsersDataFolder) {
  EXPECT_EQ(SaveFolderFor(true, "/data", "/home/me"), "");
  EXPECT_EQ(SaveFolderFor(false, "/data", "/home/me"), "/data/tovsim/Save");
  EXPECT_EQ(SaveFolderFor(false, "", "/home/me"), "/home/me/.local/share/tovsim/Save");
  EXPECT_EQ(SaveFolderFor(false, "relative", "/home/me"), "/home/me/.local/share/tovsim/Save");
  EXPECT_EQ(SaveFolderFor(false, "", ""), "");
}

TEST(RunTreeTest, AWritableTreeGetsItsSaveFolder) {
  testsupport::ScratchDir tree("run_tree");
  tree.Write("bin/.keep", "");
  testsupport::ScopedCwd cwd(tree / "bin");
  UseWritableSaveFolder("/data", "/home/me");
  EXPECT_TRUE(std::filesystem::is_directory(tree / "Save"));
  UseWritableSaveFolder("/data", "/home/me");  // already there
  EXPECT_TRUE(std::filesystem::is_directory(tree / "Save"));
}

}  // namespace
