#include "tools/datlib/map_src.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

namespace datlib {
namespace {

using Json = nlohmann::json;

constexpr rpgfmt::ResKey kKey{2, 1, 7};

// Tile set 3: six tiles; 0 open to map characters only, 1 and 2 open, the rest blocked.
TileSetInfo SampleTiles() {
  TileSetInfo info;
  info.tileCount = 6;
  info.walk[0] = TileWalk::kNpc;
  info.walk[1] = TileWalk::kOpen;
  info.walk[2] = TileWalk::kOpen;
  return info;
}

class MapSourceTest : public testing::Test {
 protected:
  MapSourceTest() : tiles_(SampleTiles()) {
    lookup_ = [this](std::uint8_t n) { return n == 3 ? &tiles_ : nullptr; };
  }

  // A 10x6 map of tile 1 (gid 2) with no objects.
  static Json BaseMap() {
    Json objects = Json::array();
    return {{"type", "map"},
            {"orientation", "orthogonal"},
            {"infinite", false},
            {"width", 10},
            {"height", 6},
            {"tilewidth", 16},
            {"tileheight", 16},
            {"properties",
             {{{"name", "tileset"}, {"type", "int"}, {"value", 3}},
              {{"name", "name"}, {"type", "string"}, {"value", "Elm"}}}},
            {"tilesets", {{{"firstgid", 1}, {"source", "town.tsj"}}}},
            {"layers",
             {{{"type", "tilelayer"}, {"name", "tiles"}, {"data", std::vector<int>(60, 2)}},
              {{"type", "objectgroup"}, {"name", "cells"}, {"objects", objects}}}}};
  }

  static Json Object(double x, double y, double w, double h, Json props) {
    return {{"x", x}, {"y", y}, {"width", w}, {"height", h}, {"properties", props}};
  }
  static Json Prop(const char* name, Json value) { return {{"name", name}, {"value", value}}; }

  std::optional<rpgfmt::Map> Parse(const Json& doc) {
    text_ = doc.dump(1);
    return ParseMapJson(text_, "town.json", kKey, lookup_, diag_);
  }

  std::string FirstError() const {
    for (const Diagnostic& d : diag_.Items()) {
      if (d.severity == Severity::kError) return Diagnostics::Format(d);
    }
    return "";
  }

  // The source line the first error points at.
  std::string ErrorLine() const {
    for (const Diagnostic& d : diag_.Items()) {
      if (d.severity != Severity::kError) continue;
      std::istringstream in(text_);
      std::string line;
      for (int i = 0; i < d.pos.line; ++i) std::getline(in, line);
      return line;
    }
    return "";
  }

  TileSetInfo tiles_;
  TileSetLookup lookup_;
  Diagnostics diag_;
  std::string text_;
};

TEST_F(MapSourceTest, HeaderAndTilesFollowTheTileSetsWalkability) {
  Json doc = BaseMap();
  doc["layers"][0]["data"][0] = 1;   // tile 0: map characters only
  doc["layers"][0]["data"][1] = 4;   // tile 3: blocked
  doc["layers"][0]["data"][59] = 3;  // tile 2: open
  const auto map = Parse(doc);
  ASSERT_TRUE(map) << FirstError();
  const std::vector<std::uint8_t> b = rpgfmt::EncodeMap(*map);
  ASSERT_EQ(b.size(), 18u + 120);
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.begin() + 18),
            (std::vector<std::uint8_t>{1, 7, 3, 'E', 'l', 'm', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 6}));
  EXPECT_EQ(b[18], 128);
  EXPECT_EQ(b[20], 3);
  EXPECT_EQ(b[22], 0x81);
  EXPECT_EQ(b[18 + 2 * 59], 0x82);
  EXPECT_EQ(b[19], 0);  // no events
}

TEST_F(MapSourceTest, ObjectsSetEventsAndOverrideWalkability) {
  Json doc = BaseMap();
  doc["layers"][1]["objects"] = {
      Object(32, 16, 32, 16, {Prop("event", 45)}),                   // cells (2,1) and (3,1)
      Object(0, 80, 16, 16, {Prop("walk", "blocked"), Prop("event", 255)}),
      Object(144, 0, 0, 0, {Prop("walk", "open")}),                  // a point on (9,0)
  };
  doc["layers"][1]["objects"][2]["point"] = true;
  doc["layers"][0]["data"][9] = 4;  // tile 3 (blocked) opened by the point
  doc["layers"][0]["data"][11] = 1;
  doc["layers"][1]["objects"].push_back(Object(16, 16, 16, 16, {Prop("walk", "blocked")}));
  const auto map = Parse(doc);
  ASSERT_TRUE(map) << FirstError();
  EXPECT_EQ(map->At(2, 1), (rpgfmt::MapCell{0x81, 5}));
  EXPECT_EQ(map->At(3, 1), (rpgfmt::MapCell{0x81, 5}));
  EXPECT_EQ(map->At(4, 1), (rpgfmt::MapCell{0x81, 0}));
  EXPECT_EQ(map->At(0, 5), (rpgfmt::MapCell{0x01, 215}));
  EXPECT_EQ(map->At(9, 0), (rpgfmt::MapCell{0x83, 0}));
  EXPECT_EQ(map->At(1, 1), (rpgfmt::MapCell{0x00, 0}));  // tile 0 closed even to map characters
}

TEST_F(MapSourceTest, ErrorsPointAtTheOffendingValue) {
  struct Case {
    std::function<void(Json&)> edit;
    std::string error;  // part of the message
    std::string line;   // part of the line it points at
  };
  const std::vector<Case> cases{
      {[](Json& d) { d["layers"][0]["data"][13] = 0; }, "cell (3, 1) has no tile", "0"},
      {[](Json& d) { d["layers"][0]["data"][2] = 7; }, "cell (2, 0): tile 6 is not in tile set 3", "7"},
      {[](Json& d) { d["layers"][0]["data"][2] = 0x80000002u; }, "flipped or rotated", "2147483650"},
      {[](Json& d) { d["layers"][1]["objects"] = {Object(0, 0, 16, 16, {Prop("event", 40)})}; },
       "\"value\" must be a whole number in 41 .. 255", "40"},
      {[](Json& d) { d["layers"][1]["objects"] = {Object(8, 0, 16, 16, {Prop("event", 41)})}; },
       "object must be a point or a rectangle on whole 16x16 cells", ""},
      {[](Json& d) { d["layers"][1]["objects"] = {Object(1e300, 0, 16, 16, {Prop("event", 41)})}; },
       "object must be a point or a rectangle on whole 16x16 cells", ""},
      {[](Json& d) { d["layers"][1]["objects"] = {Object(144, 0, 32, 16, {Prop("event", 41)})}; },
       "object reaches past the map", ""},
      {[](Json& d) { d["layers"][1]["objects"] = {Object(0, 0, 16, 16, {Prop("walk", "npc")})}; },
       "cell (0, 0): only tile 0 can be open to map characters alone", ""},
      {[](Json& d) {
         d["layers"][0]["data"][0] = 1;
         d["layers"][1]["objects"] = {Object(0, 0, 16, 16, {Prop("walk", "open")})};
       },
       "tile 0 can be \"npc\" (byte 128) but not \"open\"", ""},
      {[](Json& d) {
         d["layers"][1]["objects"] = {Object(0, 0, 32, 16, {Prop("event", 41)}),
                                      Object(16, 0, 16, 16, {Prop("event", 42)})};
       },
       "cell (1, 0) is given an event or walkability twice", ""},
      {[](Json& d) { d["properties"][1]["value"] = "Elmwood Vale"; },
       "map name takes 12 bytes in GB2312; at most 10 fit", "Elmwood Vale"},
      {[](Json& d) { d["properties"][1]["value"] = "\xf0\x9f\x98\x80"; }, "cannot be stored in GB2312", ""},
      {[](Json& d) { d["properties"][1]["value"] = std::string("a\0b", 3); },
       "map name cannot hold a zero character", "a\\u0000b"},
      {[](Json& d) { d["layers"][1]["objects"] = "none"; }, "\"objects\" must be a list", "none"},
      {[](Json& d) { d["properties"][0]["name"] = 5; }, "unexpected value in the map", ""},
      {[](Json& d) { d["properties"][0]["value"] = 4; }, "tile set 4 is not in the project", "4"},
      {[](Json& d) { d["properties"].erase(0); }, "needs an int property \"tileset\"", ""},
      {[](Json& d) { d["width"] = 8; }, "\"width\" must be a whole number in 9 .. 255", "8"},
      {[](Json& d) { d["width"] = 100, d["height"] = 100; }, "a library block holds at most", ""},
      {[](Json& d) { d["layers"][0]["data"].erase(0); }, "tile layer must hold 60 cells", ""},
      {[](Json& d) { d["layers"][0]["encoding"] = "base64"; }, "save the tile layer as CSV", "base64"},
  };
  for (const Case& c : cases) {
    diag_ = Diagnostics();
    Json doc = BaseMap();
    c.edit(doc);
    EXPECT_FALSE(Parse(doc)) << c.error;
    EXPECT_NE(FirstError().find(c.error), std::string::npos) << FirstError();
    EXPECT_NE(ErrorLine().find(c.line), std::string::npos) << FirstError() << "\n" << ErrorLine();
  }
}

TEST_F(MapSourceTest, SyntaxErrorsNameLineAndColumn) {
  const std::string text = "{\n  \"width\": 10,\n  \"height\": ]\n}\n";
  EXPECT_FALSE(ParseMapJson(text, "bad.json", kKey, lookup_, diag_));
  EXPECT_EQ(FirstError().substr(0, 15), "bad.json:3:13: ") << FirstError();
}

TEST_F(MapSourceTest, WrittenJsonCompilesBackToTheSameBytes) {
  rpgfmt::Map m;
  m.id1 = kKey.id1;
  m.id2 = kKey.id2;
  m.tileSet = 3;
  m.name = {0xB3, 0xC7, 0xD5, 0xF2};  // two GB2312 characters
  m.width = 13;
  m.height = 9;
  std::mt19937 rng(5);
  for (int i = 0; i < m.width * m.height; ++i) {
    const int tile = static_cast<int>(rng() % 6);
    const int walk = static_cast<int>(rng() % 2);
    const std::uint8_t byte = tile == 0 ? (walk ? 128 : 0) : static_cast<std::uint8_t>(tile | walk << 7);
    const std::uint8_t event = rng() % 4 == 0 ? static_cast<std::uint8_t>(1 + rng() % 215) : 0;
    m.cells.push_back({byte, event});
  }
  const auto json = WriteMapJson(m, tiles_, "../tilesets/town.tsj", {"lib", 0, 0}, diag_);
  ASSERT_TRUE(json) << FirstError();
  const auto back = ParseMapJson(*json, "m.json", kKey, lookup_, diag_);
  ASSERT_TRUE(back) << FirstError();
  EXPECT_EQ(rpgfmt::EncodeMap(*back), rpgfmt::EncodeMap(m));
  EXPECT_FALSE(diag_.HasErrors());
  EXPECT_EQ(Json::parse(*json)["properties"][0]["value"], "\xe5\x9f\x8e\xe9\x95\x87");
}

}  // namespace
}  // namespace datlib
