#include "tools/datlib/project.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/tools/datlib/project_test_util.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;

using testing::Bytes;

class ProjectTest : public ::testing::Test {
 protected:
  // Loads and builds `project.yaml`; the image, or nothing with `diag_` set.
  std::optional<Bytes> Build() { return testing::BuildProjectFile(dir_ / "project.yaml", diag_); }
  bool Reports(const std::string& text) const {
    return diag_.Text().find(text) != std::string::npos;
  }
  std::string P(const std::string& rel) const { return dir_ / rel; }

  ScratchDir dir_;
  Diagnostics diag_;
};

TEST_F(ProjectTest, BuildsFilesAndRecordsWithTails) {
  dir_.Write("project.yaml",
             "title: demo\n"
             "resources:\n"
             "  - {type: ggj, id: [1, 2], file: raw/blob.hex, tail: 'ff00'}\n"
             "records: [items.yaml]\n");
  dir_.Write("raw/blob.hex", "0102 # first two\n03\n");
  dir_.Write("items.yaml", "- {type: magiclist, id: [1, 3], magics: [[1, 1]], tail: '07'}\n");
  auto image = Build();
  ASSERT_TRUE(image.has_value()) << diag_.Text();
  EXPECT_EQ(std::string(image->begin() + 3, image->begin() + 7), "demo");
  // GGJ (10) sorts before MLR (12): block 1 holds the blob, block 2 the chain.
  EXPECT_EQ(Bytes(image->begin() + 16384, image->begin() + 16384 + 8),
            (Bytes{'G', 'G', 'J', 1, 2, 3, 0xFF, 0}));
  EXPECT_EQ(Bytes(image->begin() + 32768, image->begin() + 32777),
            (Bytes{'M', 'L', 'R', 1, 3, 1, 1, 1, 7}));
}

TEST_F(ProjectTest, EntryErrorsNameFileAndLine) {
  dir_.Write("project.yaml",
             "title: demo\n"
             "colour: red\n"
             "resources:\n"
             "  - {type: sound, id: [1, 1], file: a.hex}\n"
             "  - {type: ggj, id: [1, 256], file: a.hex}\n"
             "  - {type: ggj, id: [1, 1], file: missing.hex}\n"
             "  - {type: ggj, id: [1, 2]}\n"
             "  - {type: ggj, id: [1, 3], file: a.hex, tail: xyz}\n"
             "  - {type: script, id: [1, 1], file: a.hex, size: 3}\n");
  dir_.Write("a.hex", "00\n");
  EXPECT_FALSE(Build());
  EXPECT_TRUE(Reports(P("project.yaml") + ":2:1: error: unknown key \"colour\""));
  EXPECT_TRUE(Reports(P("project.yaml") + ":4:12: error: expected a resource type"));
  EXPECT_TRUE(Reports(P("project.yaml") + ":5:25: error: 256 is out of range 0..255"));
  EXPECT_TRUE(Reports(P("missing.hex") + ": error: cannot read the file"));
  EXPECT_TRUE(Reports(P("project.yaml") + ":7:5: error: expected file:"));
  EXPECT_TRUE(Reports(P("project.yaml") + ":8:48: error: tail must be pairs of hex digits"));
  EXPECT_TRUE(Reports(P("project.yaml") + ":9:45: error: unknown key \"size\""));
}

TEST_F(ProjectTest, DuplicateKeysNameBothPlaces) {
  dir_.Write("project.yaml", "title: t\nrecords: [a.yaml, b.yaml]\n");
  dir_.Write("a.yaml", "- {type: magiclist, id: [1, 3]}\n");
  dir_.Write("b.yaml", "# the same chain again\n- {type: magiclist, id: [1, 3]}\n");
  EXPECT_FALSE(Build());
  EXPECT_TRUE(Reports(P("b.yaml") + ":2:3: error: key (12, 1, 3) is already given at " +
                      P("a.yaml") + ":1"))
      << diag_.Text();
}

TEST_F(ProjectTest, FormatLimitsAreReportedAtTheResource) {
  const std::string big(2 * 16382, '1');
  dir_.Write("big.hex", big + "\n");
  dir_.Write("project.yaml",
             "title: t\nresources:\n  - {type: ggj, id: [1, 1], file: big.hex}\n");
  EXPECT_FALSE(Build());
  EXPECT_TRUE(Reports(P("project.yaml") + ":3:5: error: resource (10, 1, 1) of 16382 bytes"));

  // 256 resources of 9000 bytes need 256 blocks; the one that overflows is named.
  diag_ = {};
  dir_.Write("mid.hex", std::string(2 * 9000, '2') + "\n");
  std::string project = "title: t\nresources:\n";
  for (int i = 0; i < 256; ++i) {
    project += "  - {type: ggj, id: [1, " + std::to_string(i) + "], file: mid.hex}\n";
  }
  dir_.Write("project.yaml", project);
  EXPECT_FALSE(Build());
  EXPECT_TRUE(Reports(P("project.yaml") + ":258:5: error: resources need more than 255 blocks"))
      << diag_.Text();
}

TEST_F(ProjectTest, TooManyKeysNamesTheFirstThatDoesNotFit) {
  // Spread over eleven id1 values so that the keys stay distinct.
  std::string spread;
  for (int i = 0; i < 2726; ++i) {
    spread += "  - {type: ggj, id: [" + std::to_string(i / 256) + ", " +
              std::to_string(i % 256) + "], file: x.hex}\n";
  }
  dir_.Write("x.hex", "01\n");
  dir_.Write("project.yaml", "title: t\nresources:\n" + spread);
  EXPECT_FALSE(Build());
  EXPECT_TRUE(Reports(P("project.yaml") + ":2728:5: error: library holds 2726 resources"))
      << diag_.Text().substr(0, 300);
}

TEST_F(ProjectTest, TitleMustFitEightBytes) {
  const std::pair<const char*, std::string> cases[] = {
      {"title: abcdefghi\n", ":1:8: error: the title is at most 8 bytes"},
      {"resources: []\n", "the project needs a title"},
      {"title: [unclosed\n", P("project.yaml") + ":"},
  };
  for (const auto& [project, error] : cases) {
    diag_ = {};
    dir_.Write("project.yaml", project);
    EXPECT_FALSE(Build()) << project;
    EXPECT_TRUE(diag_.HasErrors());
    EXPECT_TRUE(Reports(error)) << diag_.Text();
  }
}

}  // namespace
}  // namespace datlib
