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

std::string Errors(const Diagnostics& diag) {
  std::string out;
  for (const Diagnostic& d : diag.Items()) out += Diagnostics::Format(d) + "\n";
  return out;
}

TEST(SampleArt, PicturesCompileAndWriteBackExactly) {
  const std::vector<std::pair<std::string, rpgfmt::ResKey>> pictures{
      {"pictures/hero.txt", {8, 1, 1}},       {"pictures/villager.txt", {8, 2, 1}},
      {"pictures/potion.txt", {9, 1, 1}},     {"pictures/face_hero.txt", {11, 1, 1}},
      {"pictures/strip_ends.txt", {11, 2, 8}}, {"pictures/digits.txt", {11, 2, 5}},
  };
  for (const auto& [file, key] : pictures) {
    Diagnostics diag;
    const auto bytes = CompilePictureFile(kSample + file, key, diag);
    ASSERT_TRUE(bytes) << Errors(diag);
    const auto text = PictureBytesToText(*bytes, key, {file, 0, 0}, diag);
    ASSERT_TRUE(text) << Errors(diag);
    auto src = ParsePictureText(*text, file, diag);
    ASSERT_TRUE(src) << Errors(diag);
    EXPECT_FALSE(src->headGiven);
    src->picture.head = {key.id1, key.id2};
    EXPECT_EQ(rpgfmt::EncodePicture(src->picture), *bytes) << file;
    EXPECT_TRUE(diag.Items().empty()) << Errors(diag);
  }
}

TEST(SampleArt, VillageMapUsesItsTileSetAndRoundTrips) {
  Diagnostics diag;
  const auto tiles = LoadTileSetSource(kSample + "tilesets/town.txt", {7, 1, 1}, diag);
  ASSERT_TRUE(tiles) << Errors(diag);
  EXPECT_EQ(tiles->info.tileCount, 10);
  const TileSetLookup lookup = [&](std::uint8_t n) { return n == 1 ? &tiles->info : nullptr; };
  std::string text;
  ASSERT_TRUE(ReadTextFile(kSample + "maps/village.json", diag, text));
  const auto map = ParseMapJson(text, "village.json", {2, 1, 1}, lookup, diag);
  ASSERT_TRUE(map) << Errors(diag);
  EXPECT_EQ(map->At(8, 4), (rpgfmt::MapCell{0x87, 1}));   // the door: open, event 41
  EXPECT_EQ(map->At(3, 4).tile, rpgfmt::kNpcOnlyTile);    // flower bed
  EXPECT_EQ(map->At(12, 3).tile, 0x84);                   // the ford through the water
  EXPECT_EQ(map->At(12, 5).tile, 0x01);                   // stones on the grass

  const auto json = WriteMapJson(*map, tiles->info, "../tilesets/town.tsj", {"lib", 0, 0}, diag);
  ASSERT_TRUE(json) << Errors(diag);
  const auto back = ParseMapJson(*json, "dumped.json", {2, 1, 1}, lookup, diag);
  ASSERT_TRUE(back) << Errors(diag);
  EXPECT_EQ(rpgfmt::EncodeMap(*back), rpgfmt::EncodeMap(*map));

  const std::string tileText = WriteTileSetText(tiles->picture, tiles->info, {7, 1, 1});
  EXPECT_NE(tileText.find("walk: open 1-2 7 9\nwalk: npc 0\n"), std::string::npos);
}

}  // namespace
}  // namespace datlib
