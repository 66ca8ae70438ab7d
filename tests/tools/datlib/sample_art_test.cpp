// The sample world's pictures, tile set and map compile, and dump back to
// sources that compile to the same bytes.
#include <gtest/gtest.h>

#include "tools/datlib/map_src.h"
#include "tools/datlib/picture_src.h"
#include "tools/datlib/picture_src_text.h"
#include "tools/datlib/tileset_src.h"

namespace datlib {
namespace {

const std::string kSample = std::string(TOVSIM_SOURCE_DIR) + "/content/sample/";

TEST(SampleArt, PicturesCompileAndWriteBackExactly) {
  const std::vector<std::pair<std::string, rpgfmt::ResKey>> pictures{
      {"pictures/hero.txt", {8, 1, 1}},       {"pictures/villager.txt", {8, 2, 1}},
      {"pictures/potion.txt", {9, 1, 1}},     {"pictures/face_hero.txt", {11, 1, 1}},
      {"pictures/strip_ends.txt", {11, 2, 8}}, {"pictures/digits.txt", {11, 2, 5}},
  };
  for (const auto& [file, key] : pictures) {
    Diagnostics diag;
    const auto bytes = CompilePictureFile(kSample + file, key, diag);
    ASSERT_TRUE(bytes) << diag.Text();
    const auto text = PictureBytesToText(*bytes, key, {file, 0, 0}, diag);
    ASSERT_TRUE(text) << diag.Text();
    auto src = ParsePictureText(*text, file, diag);
    ASSERT_TRUE(src) << diag.Text();
    EXPECT_FALSE(src->headGiven);
    src->picture.head = {key.id1, key.id2};
    EXPECT_EQ(rpgfmt::EncodePicture(src->picture), *bytes) << file;
    EXPECT_TRUE(diag.Items().empty()) << diag.Text();
  }
}

class SampleMaps : public testing::Test {
 protected:
  void SetUp() override {
    tiles_ = LoadTileSetSource(kSample + "tilesets/town.txt", {7, 1, 1}, diag_);
    ASSERT_TRUE(tiles_) << diag_.Text();
    lookup_ = [this](std::uint8_t n) { return n == 1 ? &tiles_->info : nullptr; };
  }

  std::optional<rpgfmt::Map> Load(const std::string& file, std::uint8_t id2) {
    std::string text;
    if (!ReadTextFile(kSample + file, diag_, text)) return std::nullopt;
    return ParseMapJson(text, file, {2, 1, id2}, lookup_, diag_);
  }

  // Dumping the map and compiling the dump gives the same bytes.
  void ExpectRoundTrip(const rpgfmt::Map& map) {
    const auto json = WriteMapJson(map, tiles_->info, "../tilesets/town.tsj", {"lib", 0, 0}, diag_);
    ASSERT_TRUE(json) << diag_.Text();
    const auto back = ParseMapJson(*json, "dumped.json", {2, map.id1, map.id2}, lookup_, diag_);
    ASSERT_TRUE(back) << diag_.Text();
    EXPECT_EQ(rpgfmt::EncodeMap(*back), rpgfmt::EncodeMap(map));
  }

  Diagnostics diag_;
  std::optional<TileSetSource> tiles_;
  TileSetLookup lookup_;
};

TEST_F(SampleMaps, VillageCellsCarryTheirEventsAndWalkability) {
  const auto map = Load("maps/village.json", 1);
  ASSERT_TRUE(map) << diag_.Text();
  EXPECT_EQ(tiles_->info.tileCount, 14);
  EXPECT_EQ(map->At(4, 6), (rpgfmt::MapCell{0x07, 2}));   // the inn door, closed: event 42
  EXPECT_EQ(map->At(8, 5), (rpgfmt::MapCell{0x0A, 1}));   // the well: event 41
  EXPECT_EQ(map->At(1, 3).tile, rpgfmt::kNpcOnlyTile);    // the dog's flower bed
  EXPECT_EQ(map->At(10, 9), (rpgfmt::MapCell{0x82, 5}));  // past the signpost: event 45
  ExpectRoundTrip(*map);
  const std::string tileText = WriteTileSetText(tiles_->picture, tiles_->info, {7, 1, 1});
  EXPECT_NE(tileText.find("walk: open 1-2 7 9\nwalk: npc 0\n"), std::string::npos);
}

TEST_F(SampleMaps, ForestCompilesAndRoundTrips) {
  const auto map = Load("maps/forest.json", 2);
  ASSERT_TRUE(map) << diag_.Text();
  EXPECT_EQ(map->At(8, 6), (rpgfmt::MapCell{0x80, 1}));  // the herb patch
  ExpectRoundTrip(*map);
}

}  // namespace
}  // namespace datlib
