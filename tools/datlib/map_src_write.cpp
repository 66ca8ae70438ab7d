// Maps written back as Tiled JSON, for dumping a library.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/datlib/source_text.h"
#include "tools/datlib/map_src.h"

namespace datlib {
namespace {

using OJson = nlohmann::ordered_json;

constexpr int kCell = 16;
constexpr const char* kDataMark = "@@cells@@";

OJson Property(const char* name, const char* type, OJson value) {
  return {{"name", name}, {"type", type}, {"value", std::move(value)}};
}

// One object per cell that has an event or walks differently from its tile.
OJson CellObjects(const rpgfmt::Map& map, const TileSetInfo& info) {
  OJson objects = OJson::array();
  int id = 1;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const rpgfmt::MapCell& c = map.At(x, y);
      const TileWalk walk = WalkOfByte(c.tile);
      const bool walkDiffers = walk != info.walk[static_cast<std::size_t>(rpgfmt::TileImage(c.tile))];
      if (c.event == 0 && !walkDiffers) continue;
      OJson props = OJson::array();
      std::string name;
      if (c.event != 0) {
        const int event = c.event + rpgfmt::kCellEventBase;
        props.push_back(Property("event", "int", event));
        name = "event " + std::to_string(event);
      }
      if (walkDiffers) {
        props.push_back(Property("walk", "string", TileWalkName(walk)));
        name += (name.empty() ? "" : ", ") + std::string(TileWalkName(walk));
      }
      objects.push_back({{"id", id++},       {"name", name},          {"type", ""},
                         {"x", x * kCell},   {"y", y * kCell},        {"width", kCell},
                         {"height", kCell},  {"rotation", 0},         {"visible", true},
                         {"properties", props}});
    }
  }
  return objects;
}

// The cells as rows of tile ids, one map row per line.
std::string CellRows(const rpgfmt::Map& map) {
  std::ostringstream out;
  out << "[";
  for (int y = 0; y < map.height; ++y) {
    out << (y == 0 ? "\n   " : ",\n   ");
    for (int x = 0; x < map.width; ++x) {
      out << (x == 0 ? "" : ",") << rpgfmt::TileImage(map.At(x, y).tile) + 1;
    }
  }
  out << "\n  ]";
  return out.str();
}

// The name up to its first zero byte; warns when bytes follow it.
std::optional<std::string> NameText(const rpgfmt::Map& map, const SourcePos& origin,
                                    Diagnostics& diag) {
  const auto end = std::find(map.name.begin(), map.name.end(), 0);
  if (std::any_of(end, map.name.end(), [](std::uint8_t b) { return b != 0; })) {
    diag.Warning(origin, "bytes after the end of the map name are not kept");
  }
  const std::optional<std::string> utf8 = Gb2312ToUtf8(std::string(map.name.begin(), end));
  if (!utf8) diag.Error(origin, "map name is not GB2312 text");
  return utf8;
}

}  // namespace

std::optional<std::string> WriteMapJson(const rpgfmt::Map& map, const TileSetInfo& info,
                                        const std::string& tileSetRef, const SourcePos& origin,
                                        Diagnostics& diag) {
  const std::optional<std::string> name = NameText(map, origin, diag);
  if (!name) return std::nullopt;
  const OJson objects = CellObjects(map, info);
  const OJson doc = {
      {"type", "map"},
      {"version", "1.10"},
      {"tiledversion", "1.10.2"},
      {"orientation", "orthogonal"},
      {"renderorder", "right-down"},
      {"infinite", false},
      {"width", map.width},
      {"height", map.height},
      {"tilewidth", kCell},
      {"tileheight", kCell},
      {"compressionlevel", -1},
      {"nextlayerid", 3},
      {"nextobjectid", objects.size() + 1},
      {"properties",
       {Property("name", "string", *name), Property("tileset", "int", map.tileSet)}},
      {"tilesets", {{{"firstgid", 1}, {"source", tileSetRef}}}},
      {"layers",
       {{{"id", 1}, {"name", "tiles"}, {"type", "tilelayer"}, {"x", 0}, {"y", 0},
         {"width", map.width}, {"height", map.height}, {"opacity", 1}, {"visible", true},
         {"data", kDataMark}},
        {{"id", 2}, {"name", "cells"}, {"type", "objectgroup"}, {"draworder", "topdown"},
         {"x", 0}, {"y", 0}, {"opacity", 1}, {"visible", true}, {"objects", objects}}}}};
  std::string text = doc.dump(1);
  const std::string mark = std::string("\"") + kDataMark + "\"";
  text.replace(text.find(mark), mark.size(), CellRows(map));
  return text + "\n";
}

}  // namespace datlib
