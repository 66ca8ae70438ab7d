#include "tools/datlib/tileset_src.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/support/scratch.h"
#include "tools/datlib/picture_png.h"
#include "tools/datlib/picture_src.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;

constexpr rpgfmt::ResKey kKey{7, 1, 2};

// A tile-set source of `count` tiles, tile t showing t black pixels.
std::string TileText(int count, const std::string& header) {
  std::string text = "size: 16x16\n" + header;
  for (int t = 0; t < count; ++t) {
    text += "frame " + std::to_string(t) + "\n";
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) text += y * 16 + x < t ? '#' : '.';
      text += "\n";
    }
  }
  return text;
}

std::string FirstError(const Diagnostics& diag) {
  return diag.Items().empty() ? "" : Diagnostics::Format(diag.Items()[0]);
}

std::optional<TileSetSource> Load(const ScratchDir& dir, const std::string& text, Diagnostics& diag) {
  return LoadTileSetSource(dir.Write("tiles.txt", text), kKey, diag);
}

TEST(TileByteRules, OnlyTileZeroCanBeOpenToMapCharactersAlone) {
  EXPECT_EQ(TileByte(5, TileWalk::kBlocked), 5);
  EXPECT_EQ(TileByte(5, TileWalk::kOpen), 0x85);
  EXPECT_EQ(TileByte(0, TileWalk::kNpc), 128);
  EXPECT_EQ(TileByte(0, TileWalk::kOpen), std::nullopt);
  EXPECT_EQ(TileByte(5, TileWalk::kNpc), std::nullopt);
  EXPECT_EQ(WalkOfByte(128), TileWalk::kNpc);
  EXPECT_EQ(WalkOfByte(0x85), TileWalk::kOpen);
  EXPECT_EQ(WalkOfByte(0x05), TileWalk::kBlocked);
}

TEST(TileSetSourceFile, WalkLinesSetEachTilesDefault) {
  ScratchDir dir;
  Diagnostics diag;
  const auto src = Load(dir, TileText(6, "walk: open 1-3 5\nwalk: npc 0\n"), diag);
  ASSERT_TRUE(src) << FirstError(diag);
  EXPECT_EQ(src->info.tileCount, 6);
  const std::vector<TileWalk> expected{TileWalk::kNpc,  TileWalk::kOpen,    TileWalk::kOpen,
                                       TileWalk::kOpen, TileWalk::kBlocked, TileWalk::kOpen};
  for (int t = 0; t < 6; ++t) EXPECT_EQ(src->info.walk[t], expected[t]) << t;
  const auto bytes = CompileTileSetFile(dir / "tiles.txt", kKey, diag);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 6u + 6 * 32);
  EXPECT_EQ((*bytes)[0], 1);  // head defaults to the key's ids
  EXPECT_EQ((*bytes)[1], 2);
  EXPECT_EQ((*bytes)[6 + 32 * 3], 0xE0);  // tile 3 starts with three black pixels
}

TEST(TileSetSourceFile, BadWalkLinesAreErrorsAtTheirTile) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"walk: open 0\n", "tiles.txt:2:12: error: tile 0 with the walk bit (byte 128) lets only "
                         "map characters pass; write \"walk: npc 0\""},
      {"walk: npc 1\n", "tiles.txt:2:11: error: only tile 0 can be open to map characters alone"},
      {"walk: open 2-9\n", "tiles.txt:2:12: error: tile 4 does not exist (the set has 4)"},
      {"walk: open 1 1\n", "tiles.txt:2:14: error: tile 1 is named twice"},
      {"walk: open 3-1\n", "tiles.txt:2:12: error: range 3-1 runs backwards"},
      {"walk: wet 1\n", "tiles.txt:2:7: error: walk: expects blocked, open or npc, then tile numbers"},
      {"depth: 2\n", "tiles.txt: error: tiles are drawn opaque and must have depth 1"},
  };
  for (const auto& [header, error] : cases) {
    ScratchDir dir;
    Diagnostics diag;
    EXPECT_FALSE(Load(dir, TileText(4, header), diag)) << header;
    EXPECT_EQ(FirstError(diag).substr(FirstError(diag).find("tiles.txt")), error) << header;
  }
}

TEST(TileSetDump, MajorityOfCellsGivesEachTilesDefault) {
  rpgfmt::Map m;
  m.width = 9;
  m.height = 6;
  m.cells.assign(54, {0x81, 0});  // tile 1 open everywhere...
  m.cells[0] = {0x01, 0};         // ...but one cell
  m.cells[1] = {0x80, 0};         // tile 0: npc once, blocked never
  m.cells[2] = {0x02, 0};         // tile 2: blocked
  m.cells[3] = {0x82, 0};         // and open: a tie goes to open
  const TileSetInfo info = DeriveTileWalk(4, std::span(&m, 1));
  EXPECT_EQ(info.walk[0], TileWalk::kNpc);
  EXPECT_EQ(info.walk[1], TileWalk::kOpen);
  EXPECT_EQ(info.walk[2], TileWalk::kOpen);
  EXPECT_EQ(info.walk[3], TileWalk::kBlocked);
}

TEST(TileSetDump, TextAndTiledFilesCarryTilesAndWalkability) {
  ScratchDir dir;
  Diagnostics diag;
  const auto src = Load(dir, TileText(10, "walk: open 1-3 5 7-9\nwalk: npc 0\n"), diag);
  ASSERT_TRUE(src) << FirstError(diag);
  const std::string text = WriteTileSetText(src->picture, src->info, kKey);
  EXPECT_NE(text.find("walk: open 1-3 5 7-9\nwalk: npc 0\n"), std::string::npos) << text;
  const auto back = Load(dir, text, diag);
  ASSERT_TRUE(back) << FirstError(diag);
  EXPECT_EQ(rpgfmt::EncodePicture(back->picture), rpgfmt::EncodePicture(src->picture));
  EXPECT_EQ(back->info.walk, src->info.walk);

  ASSERT_TRUE(WriteTiledTileSet(src->picture, src->info, dir.path(), "town", diag));
  const auto png = ReadPng(dir / "town.png", diag);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 128);
  EXPECT_EQ(png->height, 32);
  EXPECT_EQ(png->At(16 * 3 + 2, 0), kRgbaBlack);  // tile 3's third pixel
  EXPECT_EQ(png->At(16 * 3 + 3, 0), kRgbaWhite);
  const auto tsj = nlohmann::json::parse(std::ifstream(dir / "town.tsj"));
  EXPECT_EQ(tsj["image"], "town.png");
  EXPECT_EQ(tsj["tilecount"], 10);
  EXPECT_EQ(tsj["columns"], 8);
  EXPECT_EQ(tsj["tiles"][0]["properties"][0]["value"], "npc");
  EXPECT_EQ(tsj["tiles"][4]["properties"][0]["value"], "blocked");
  EXPECT_EQ(tsj["tiles"][5]["properties"][0]["value"], "open");
}

}  // namespace
}  // namespace datlib
