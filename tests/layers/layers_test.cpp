// Every #include of the tree against the layering table of docs/layers.md,
// and the reading of that table.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/layers/include_scan.h"
#include "tests/layers/layer_table.h"
#include "tests/support/scratch.h"

namespace layers {
namespace {

namespace fs = std::filesystem;

LayerTable Table(const std::string& markdown) {
  std::string error;
  std::optional<LayerTable> table = LayerTable::Parse(markdown, &error);
  EXPECT_TRUE(table) << error;
  return table ? *table : LayerTable();
}

TEST(LayersTest, EveryIncludeOfTheTreeIsAllowedByTheTable) {
  const fs::path root = TOVSIM_SOURCE_DIR;
  const LayerTable table = Table(testsupport::ReadFile(root / "docs/layers.md"));
  std::string faults;
  std::size_t checked = 0;
  for (const std::string& file : SourceFiles(root)) {
    for (const Include& include : ReadIncludes(testsupport::ReadFile(root / file))) {
      const std::string name =
          include.angle ? "<" + include.name + ">" : '"' + include.name + '"';
      const std::string where = file + ":" + std::to_string(include.line) + ": " + name;
      if (!include.angle && !fs::is_regular_file(root / include.name)) {
        faults += where + ": names no file from the source root\n";
      } else if (std::optional<std::string> why = table.Check(file, include)) {
        faults += where + ": " + *why + " (docs/layers.md)\n";
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000u) << "the tree was not found at " << root;
  EXPECT_TRUE(faults.empty()) << faults;
}

TEST(LayersTest, TableRulesDecideByTheLongestFolder) {
  const LayerTable table = Table(
      "| Folder | May include | Why |\n|---|---|---|\n"
      "| `codec/` | none | below all |\n"
      "| `host/` | `codec/`, `lib/one.h` | |\n"
      "| `host/replay/` | `host/`, `drive/` | |\n"
      "| `games/*/` | `host/` | |\n"
      "| `viewer/` | `<SDL>` | |\n"
      "| `tests/` | `*` | |\n\n"
      "| `after/` | `*` | not part of the table |\n");
  ASSERT_EQ(table.rows().size(), 6u);
  struct Case {
    const char* file;
    Include include;
    bool allowed;
  } cases[] = {
      {"host/res.cpp", {"host/mem.h"}, true},            // own folder
      {"host/main.cpp", {"host/replay/driver.h"}, true},  // below its own folder
      {"host/res.cpp", {"codec/bytes.h"}, true},
      {"host/res.cpp", {"lib/one.h"}, true},              // one header of a folder
      {"host/res.cpp", {"lib/two.h"}, false},
      {"host/res.cpp", {"drive/keys.h"}, false},          // allowed in host/replay/ only
      {"host/replay/driver.cpp", {"drive/keys.h"}, true},
      {"host/replay/driver.cpp", {"codec/bytes.h"}, false},
      {"codec/bytes.h", {"host/mem.h"}, false},           // nothing above
      {"games/blocks/rules.cpp", {"games/blocks/view.h"}, true},
      {"games/blocks/rules.cpp", {"games/tiles/view.h"}, false},  // each game on its own
      {"games/blocks/rules.cpp", {"vector", true}, true},          // the standard library
      {"games/blocks/rules.cpp", {"SDL.h", true}, false},
      {"viewer/display.cpp", {"SDL_keycode.h", true}, true},
      {"tests/host/res_test.cpp", {"SDL.h", true}, true},
      {"tests/host/res_test.cpp", {"anything/at/all.h"}, true},
      {"after/x.cpp", {"codec/bytes.h"}, false},          // under no row
      {"tools/x.cpp", {"codec/bytes.h"}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!table.Check(c.file, c.include), c.allowed)
        << c.file << " including " << c.include.name;
  }
  EXPECT_EQ(table.Check("host/res.cpp", {"drive/keys.h"}),
            "host/ may include only its own folder and codec/, lib/one.h");
}

TEST(LayersTest, ATextWithoutTheTableOrWithAnEmptyRowIsRefused) {
  std::string error;
  EXPECT_FALSE(LayerTable::Parse("# Layers\n\nno table here\n", &error));
  EXPECT_NE(error.find("no table"), std::string::npos) << error;
  EXPECT_FALSE(
      LayerTable::Parse("| Folder | May include |\n|---|---|\n| nothing | `codec/` |\n", &error));
  EXPECT_NE(error.find("names no folder"), std::string::npos) << error;
}

TEST(LayersTest, IncludeLinesAreReadWithTheirLineNumbers) {
  const std::vector<Include> includes = ReadIncludes(
      "#include \"a/b.h\"\n"
      "  #  include <SDL.h>\n"
      "// #include \"commented/out.h\"\n"
      "#define X 1\n"
      "#include \"c.h\" // why\n");
  ASSERT_EQ(includes.size(), 3u);
  EXPECT_EQ(includes[0].name, "a/b.h");
  EXPECT_FALSE(includes[0].angle);
  EXPECT_EQ(includes[1].name, "SDL.h");
  EXPECT_TRUE(includes[1].angle);
  EXPECT_EQ(includes[1].line, 2);
  EXPECT_EQ(includes[2].name, "c.h");
  EXPECT_EQ(includes[2].line, 5);
}

TEST(LayersTest, SourcesOfBuildTreesAndHiddenFoldersAreLeftOut) {
  const testsupport::ScratchDir tree;
  tree.Write("host/res.cpp", "");
  tree.Write("host/res.h", "");
  tree.Write("host/notes.md", "");
  tree.Write(".git/hook.cpp", "");
  tree.Write("build/CMakeCache.txt", "");
  tree.Write("build/generated.cpp", "");
  EXPECT_EQ(SourceFiles(tree.path()), (std::vector<std::string>{"host/res.cpp", "host/res.h"}));
}

}  // namespace
}  // namespace layers
