#include "tools/datlib/check.h"

#include <gtest/gtest.h>

#include "tests/tools/datlib/project_test_util.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;

using testing::Bytes;

class CheckTest : public ::testing::Test {
 protected:
  // Builds a project of one script and the given records, then checks it.
  std::optional<std::string> Check(const std::string& script, const std::string& records) {
    dir_.Write("p/project.yaml",
               "title: c\nresources:\n  - {type: script, id: [1, 1], file: s.gsa}\n"
               "records: [r.yaml]\n");
    dir_.Write("p/s.gsa", script);
    dir_.Write("p/r.yaml", records);
    Diagnostics build;
    const auto image = testing::BuildProjectFile(dir_ / "p/project.yaml", build);
    EXPECT_TRUE(image.has_value()) << build.Text();
    if (!image) return std::nullopt;
    return CheckLibrary(*image, "c.lib", diag_);
  }
  bool Reports(const std::string& text) const {
    return diag_.Text().find(text) != std::string::npos;
  }

  ScratchDir dir_;
  Diagnostics diag_;
};

TEST_F(CheckTest, FindsDanglingReferencesAndUnusedResources) {
  auto report = Check("    AddMember 1, 4, 2\n    End\n",
                      "- {type: actor, id: [1, 1], sprite: 3, chain: 2}\n"
                      "- {type: magiclist, id: [1, 2], magics: [[1, 9]]}\n"
                      "- {type: item, id: [9, 4]}\n");
  ASSERT_TRUE(report.has_value());
  EXPECT_TRUE(Reports("c.lib[3,1,1]: error: names (8, 1, 3) (walking sprite), which is missing"))
      << diag_.Text();
  EXPECT_TRUE(Reports("c.lib[12,1,2]: error: names (4, 1, 9) (magic), which is missing"));
  EXPECT_TRUE(Reports("c.lib[6,9,4]: warning: unused: nothing names this resource"));
  EXPECT_FALSE(Reports("c.lib[3,1,1]: warning: unused"));   // the script adds it
  EXPECT_FALSE(Reports("c.lib[12,1,2]: warning: unused"));  // the character names it
  EXPECT_FALSE(Reports("c.lib[1,1,1]: warning: unused"));   // a new game runs it
}

TEST_F(CheckTest, ScriptReferencesAndFlagUses) {
  auto report = Check(".equ F_DOOR, 7\n"
                      "    SetFlag F_DOOR\n"
                      "    IfFlag F_DOOR, done\n"
                      "    IfFlag 9, done\n"
                      "    IfFlag 1001, done\n"
                      "    GoMap 1, 5, 0, 0\n"
                      "done:\n"
                      "    End\n",
                      "- {type: item, id: [6, 1], flag: 1001}\n");
  ASSERT_TRUE(report.has_value());
  EXPECT_TRUE(Reports("c.lib[1,1,1]: error: names (2, 1, 5) (GoMap at +0x")) << diag_.Text();
  EXPECT_TRUE(Reports("c.lib: warning: flag 9 is tested but never set"));
  EXPECT_FALSE(Reports("flag 7 is"));
  EXPECT_FALSE(Reports("flag 1001 is"));  // the item sets it
  EXPECT_NE(report->find("set by item (6, 6, 1) while worn"), std::string::npos) << *report;
  EXPECT_NE(report->find("flags:\n  7:\n    set by script (1, 1, 1) +0x"), std::string::npos)
      << *report;
  EXPECT_NE(report->find("tested by script (1, 1, 1)"), std::string::npos);
}

TEST_F(CheckTest, JumpsMustLandOnInstructions) {
  // Code: length 9, one event whose handler lies at 0x32 (past the end), then
  // Goto +0x0006 (inside itself) and End.
  dir_.Write("j/project.yaml",
             "title: j\nresources:\n  - {type: script, id: [1, 1], file: s.hex}\n");
  dir_.Write("j/s.hex", std::string(48, '0') + "\n0900 01 3200 0a0600 09\n");
  Diagnostics build;
  const auto image = testing::BuildProjectFile(dir_ / "j/project.yaml", build);
  ASSERT_TRUE(image.has_value()) << build.Text();
  ASSERT_TRUE(CheckLibrary(*image, "j.lib", diag_).has_value());
  EXPECT_TRUE(Reports("j.lib[1,1,1]: error: the handler of event 1 goes to +0x0032, past the "
                      "code end +0x0009"))
      << diag_.Text();
  EXPECT_TRUE(Reports("j.lib[1,1,1]: warning: +0x0005: a jump goes to +0x0006, inside an "
                      "instruction"));
}

TEST_F(CheckTest, NewGameScriptIsRequired) {
  const Bytes image = [] {
    std::vector<rpgfmt::LibResource> none;
    return rpgfmt::WriteLibrary({"t", 1}, none).image;
  }();
  auto report = CheckLibrary(image, "e.lib", diag_);
  ASSERT_TRUE(report.has_value());
  EXPECT_TRUE(Reports("e.lib: error: a new game runs script (1, 1, 1), which is missing"));
}

}  // namespace
}  // namespace datlib
