#include "tools/datlib/dump.h"

#include <gtest/gtest.h>

#include "codec/hex.h"
#include "tests/tools/datlib/project_test_util.h"
#include "tools/datlib/check.h"
#include "tools/datlib/listing.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;

using testing::Bytes;

class DumpTest : public ::testing::Test {
 protected:
  // Dumps `image` into a folder and builds that folder's project again.
  std::optional<Bytes> DumpAndRebuild(const Bytes& image, const std::string& folder) {
    auto dump = DumpLibrary(image, "in.lib", diag_);
    if (!dump) return std::nullopt;
    for (const auto& [path, text] : dump->files) dir_.Write(folder + "/" + path, text);
    return testing::BuildProjectFile(dir_ / (folder + "/project.yaml"), diag_);
  }

  // A project of raw (hex) resources of the given sizes and fill bytes.
  Bytes RawLibrary(const std::vector<std::pair<rpgfmt::ResKey, Bytes>>& res) {
    std::string project = "title: raw\nresources:\n";
    for (const auto& [key, bytes] : res) {
      const std::string name = std::to_string(key.type) + "_" + std::to_string(key.id1) + "_" +
                               std::to_string(key.id2) + ".hex";
      dir_.Write("src/" + name, codec::HexEncode(bytes) + "\n");
      const rpgfmt::ResTypeInfo* info = rpgfmt::FindResType(key.type);
      project += "  - {type: " + std::string(info->name) + ", id: [" + std::to_string(key.id1) +
                 ", " + std::to_string(key.id2) + "], file: " + name + "}\n";
    }
    dir_.Write("src/project.yaml", project);
    auto image = testing::BuildProjectFile(dir_ / "src/project.yaml", diag_);
    EXPECT_TRUE(image.has_value()) << diag_.Text();
    return image.value_or(Bytes{});
  }

  ScratchDir dir_;
  Diagnostics diag_;
};

TEST_F(DumpTest, SampleBuildsDumpsAndBuildsToTheSameBytes) {
  auto image = testing::BuildProjectFile(TOVSIM_SAMPLE_PROJECT, diag_);
  ASSERT_TRUE(image.has_value()) << diag_.Text();
  EXPECT_EQ(*image, testing::ReadBytes(TOVSIM_SAMPLE_LIB))
      << "the built sample is out of date";
  auto again = DumpAndRebuild(*image, "dump");
  ASSERT_TRUE(again.has_value()) << diag_.Text();
  EXPECT_EQ(*again, *image);
  // A dump of the rebuilt library writes the same sources again.
  auto first = DumpLibrary(*image, "a.lib", diag_);
  auto second = DumpLibrary(*again, "a.lib", diag_);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->files, second->files);
  // Only the type without a source format of its own is kept as raw bytes.
  for (const auto& [path, text] : first->files) {
    if (path.find("ggj_") != std::string::npos) continue;
    EXPECT_EQ(path.find(".hex"), std::string::npos) << path << " fell back to raw bytes";
  }
  EXPECT_EQ(first->files.count("raw/ggj_1_1.hex"), 1u);
}

TEST_F(DumpTest, PackingSurvivesTrailingZeros) {
  // Block 1: A (10000 bytes, the last 3000 zero) leaves no room for B, which
  // opens block 2. Trimming A's zeros must not let B move up on a rebuild.
  Bytes a(10000, 0);
  std::fill(a.begin(), a.begin() + 7000, 0x11);
  const Bytes b(8000, 0x22);
  Bytes c(5000, 0x33);
  c.resize(5200, 0);  // the last of its block: its zeros are padding to a dump
  const Bytes image = RawLibrary({{{10, 1, 1}, a}, {{10, 1, 2}, b}, {{10, 1, 3}, c}});
  ASSERT_FALSE(image.empty());
  ASSERT_EQ(image[8195], 2);  // B in block 2
  auto again = DumpAndRebuild(image, "dump");
  ASSERT_TRUE(again.has_value()) << diag_.Text();
  EXPECT_EQ(*again, image);
}

TEST_F(DumpTest, BytesNoSourceFormatHoldsFallBackToHex) {
  // A sheet whose padding bits are set, a map too short for its cells, a
  // script whose code length runs past its end, an item with a tail: all
  // must come back byte for byte.
  Bytes sheet{1, 1, 3, 1, 12, 1};
  for (int f = 0; f < 12; ++f) sheet.push_back(0xFF);  // 3 pixels used, 5 padding bits set
  Bytes map{1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 6, 1, 2};
  Bytes script(24, 0);
  script.insert(script.end(), {0xFF, 0x00, 0x00});
  Bytes item(134, 7);
  item.insert(item.end(), {1, 2, 3});
  const Bytes image = RawLibrary({{{8, 1, 1}, sheet}, {{2, 1, 1}, map}, {{1, 1, 1}, script},
                                  {{6, 9, 1}, item}, {{5, 1, 1}, {1, 1, 3, 0, 0, 0}}});
  ASSERT_FALSE(image.empty());
  auto again = DumpAndRebuild(image, "dump");
  ASSERT_TRUE(again.has_value()) << diag_.Text();
  EXPECT_EQ(*again, image);
}

TEST_F(DumpTest, NotALibraryIsAnError) {
  EXPECT_FALSE(DumpLibrary(Bytes{'L', 'I', 'X'}, "x.lib", diag_));
  EXPECT_NE(diag_.Text().find("x.lib: error: byte 0: not a data library"), std::string::npos);
}

TEST_F(DumpTest, ListingShowsKeysLocationsAndSizes) {
  const Bytes image = RawLibrary({{{10, 1, 1}, Bytes(5, 1)}, {{10, 1, 2}, Bytes(3, 2)}});
  auto text = ListLibrary(image, "x.lib", diag_);
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("title: raw"), std::string::npos);
  EXPECT_NE(text->find("keys: 2  blocks: 1"), std::string::npos) << *text;
  EXPECT_NE(text->find("  10   1   1  GGJ      1      3 0x004003      5  ggj"), std::string::npos)
      << *text;
  EXPECT_NE(text->find("  10   1   2  GGJ      1      8 0x004008      3  ggj"), std::string::npos);
}

}  // namespace
}  // namespace datlib
