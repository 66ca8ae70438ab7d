#include "tools/datlib/map_src.h"

#include <cmath>

#include "tools/datlib/source_text.h"
#include "tools/datlib/map_src_json.h"
#include "tools/datlib/picture_src_text.h"

namespace datlib {
namespace {

using Json = nlohmann::json;

constexpr int kCell = 16;
// Tiled keeps flip flags in the top bits of a cell's tile id.
constexpr std::uint64_t kFlipBits = 0xF0000000u;

// The member `name` of `obj`, or null when it has none; never a copy, so
// references into the result stay valid.
const Json& Member(const Json& obj, const char* name) {
  static const Json kMissing;
  if (!obj.is_object()) return kMissing;
  const auto it = obj.find(name);
  return it == obj.end() ? kMissing : *it;
}

// What object layers say about one cell, with where they said it.
struct CellOverride {
  std::optional<TileWalk> walk;
  SourcePos walkPos;
  int event = 0;
};

class MapParser {
 public:
  MapParser(const PositionedJson& doc, rpgfmt::ResKey key, const TileSetLookup& tileSets,
            Diagnostics& diag)
      : doc_(doc), root_(doc.Root()), key_(key), tileSets_(tileSets), diag_(diag) {}

  std::optional<rpgfmt::Map> Run() {
    errorsBefore_ = diag_.ErrorCount();
    // Members of an unexpected JSON type make the json library throw; that is
    // an error in the file like any other.
    try {
      return Parse();
    } catch (const nlohmann::json::exception& e) {
      Error("", std::string("unexpected value in the map: ") + e.what());
      return std::nullopt;
    }
  }

 private:
  std::optional<rpgfmt::Map> Parse() {
    if (!root_.is_object()) {
      Error("", "a Tiled map is a JSON object");
      return std::nullopt;
    }
    if (!Header() || !Properties() || !TileSet()) return std::nullopt;
    overrides_.assign(static_cast<std::size_t>(map_.width) * map_.height, {});
    const Json* tiles = Layers();
    if (tiles == nullptr) return std::nullopt;
    Cells(*tiles);
    if (diag_.ErrorCount() != errorsBefore_) return std::nullopt;
    return std::move(map_);
  }

  void Error(const std::string& pointer, const std::string& message) {
    diag_.Error(doc_.PosOf(pointer), message);
  }

  // An integer member of `obj` within [min, max]; reports and fails otherwise.
  bool Int(const Json& obj, const std::string& pointer, const char* name, int min, int max,
           int& out) {
    const auto it = obj.find(name);
    const std::string at = pointer + "/" + name;
    if (it == obj.end() || !it->is_number()) {
      Error(it == obj.end() ? pointer : at, std::string("\"") + name + "\" must be a number");
      return false;
    }
    const double v = it->get<double>();
    if (v != std::floor(v) || v < min || v > max) {
      Error(at, std::string("\"") + name + "\" must be a whole number in " + std::to_string(min) +
                    " .. " + std::to_string(max));
      return false;
    }
    out = static_cast<int>(v);
    return true;
  }

  // The array member `name` of `obj` (empty when absent); reports a non-array.
  const Json& List(const Json& obj, const std::string& pointer, const char* name) {
    static const Json kEmpty = Json::array();
    const Json& m = Member(obj, name);
    if (m.is_array()) return m;
    if (!m.is_null()) Error(pointer + "/" + name, std::string("\"") + name + "\" must be a list");
    return kEmpty;
  }

  bool Header() {
    if (root_.value("orientation", "orthogonal") != "orthogonal" || root_.value("infinite", false)) {
      Error("", "only finite orthogonal maps can be compiled");
      return false;
    }
    int tw = 0;
    int th = 0;
    if (!Int(root_, "", "tilewidth", kCell, kCell, tw) ||
        !Int(root_, "", "tileheight", kCell, kCell, th)) {
      return false;
    }
    map_.id1 = key_.id1;
    map_.id2 = key_.id2;
    return Int(root_, "", "width", rpgfmt::kMapMinWidth, 255, map_.width) &&
           Int(root_, "", "height", rpgfmt::kMapMinHeight, 255, map_.height) && FitsBlock();
  }

  bool FitsBlock() {
    if (rpgfmt::MapBytes(map_) <= rpgfmt::kLibMaxResourceSize) return true;
    Error("/width", "a map of " + std::to_string(map_.width) + "x" + std::to_string(map_.height) +
                        " cells takes " + std::to_string(rpgfmt::MapBytes(map_)) +
                        " bytes; a library block holds at most " +
                        std::to_string(rpgfmt::kLibMaxResourceSize));
    return false;
  }

  bool Properties() {
    bool haveTileSet = false;
    const Json& props = List(root_, "", "properties");
    for (std::size_t i = 0; i < props.size(); ++i) {
      const std::string at = "/properties/" + std::to_string(i);
      const Json& p = props[i];
      const std::string name = p.value("name", "");
      if (name == "tileset") {
        int n = 0;
        if (!Int(p, at, "value", 0, 255, n)) return false;
        map_.tileSet = static_cast<std::uint8_t>(n);
        tileSetPos_ = at + "/value";
        haveTileSet = true;
      } else if (name == "name") {
        if (!Name(p, at)) return false;
      } else {
        diag_.Warning(doc_.PosOf(at), "map property \"" + name + "\" is not used");
      }
    }
    if (!haveTileSet) Error("", "the map needs an int property \"tileset\" (tile-set number)");
    return haveTileSet;
  }

  bool Name(const Json& p, const std::string& at) {
    if (!p.contains("value") || !p["value"].is_string()) {
      Error(at, "property \"name\" must be a string");
      return false;
    }
    const std::string utf8 = p["value"].get<std::string>();
    const std::optional<std::string> gb = Utf8ToGb2312(utf8, doc_.PosOf(at + "/value"), diag_);
    if (!gb) return false;
    if (gb->find('\0') != std::string::npos) {
      Error(at + "/value", "map name cannot hold a zero character");
      return false;
    }
    if (gb->size() > rpgfmt::kMapNameSize) {
      Error(at + "/value", "map name takes " + std::to_string(gb->size()) +
                               " bytes in GB2312; at most 10 fit");
      return false;
    }
    std::copy(gb->begin(), gb->end(), map_.name.begin());
    return true;
  }

  bool TileSet() {
    const Json& sets = Member(root_, "tilesets");
    if (!sets.is_array() || sets.size() != 1) {
      Error("/tilesets", "the map must use exactly one tile set");
      return false;
    }
    if (!Int(sets[0], "/tilesets/0", "firstgid", 1, 1 << 20, firstGid_)) return false;
    info_ = tileSets_ ? tileSets_(map_.tileSet) : nullptr;
    if (info_ == nullptr) {
      Error(tileSetPos_, "tile set " + std::to_string(map_.tileSet) + " is not in the project");
      return false;
    }
    return true;
  }

  // Reads object layers into overrides_; returns the one tile layer.
  const Json* Layers() {
    const Json* tiles = nullptr;
    const Json& layers = List(root_, "", "layers");
    for (std::size_t i = 0; i < layers.size(); ++i) {
      const std::string at = "/layers/" + std::to_string(i);
      const std::string type = layers[i].value("type", "");
      if (type == "tilelayer") {
        if (tiles != nullptr) {
          Error(at, "a map has one tile layer; events and walkability go in object layers");
          return nullptr;
        }
        tiles = &layers[i];
        tilesAt_ = at;
      } else if (type == "objectgroup") {
        Objects(layers[i], at);
      } else {
        diag_.Warning(doc_.PosOf(at), "layer of type \"" + type + "\" is ignored");
      }
    }
    if (tiles == nullptr) Error("/layers", "the map has no tile layer");
    return tiles;
  }

  void Objects(const Json& layer, const std::string& at) {
    const Json& objects = List(layer, at, "objects");
    for (std::size_t i = 0; i < objects.size(); ++i) {
      Object(objects[i], at + "/objects/" + std::to_string(i));
    }
  }

  // The cells an object covers: a point names its cell, a rectangle must lie
  // on whole cells.
  bool ObjectCells(const Json& o, const std::string& at, int& x0, int& y0, int& w, int& h) {
    const double x = o.value("x", -1.0);
    const double y = o.value("y", -1.0);
    const bool point = o.value("point", false);
    const double pw = point ? kCell : o.value("width", 0.0);
    const double ph = point ? kCell : o.value("height", 0.0);
    // Checked against the largest map before any conversion to an integer.
    const auto onGrid = [](double v) {
      return v >= 0 && v <= 256.0 * kCell && v == std::floor(v) && static_cast<int>(v) % kCell == 0;
    };
    if (o.value("rotation", 0.0) != 0.0 || !(x >= 0 && x < 256.0 * kCell) ||
        !(y >= 0 && y < 256.0 * kCell) ||
        (!point && (!onGrid(x) || !onGrid(y) || !onGrid(pw) || !onGrid(ph) || pw < kCell ||
                    ph < kCell))) {
      Error(at, "object must be a point or a rectangle on whole 16x16 cells");
      return false;
    }
    x0 = static_cast<int>(x) / kCell;
    y0 = static_cast<int>(y) / kCell;
    w = static_cast<int>(pw) / kCell;
    h = static_cast<int>(ph) / kCell;
    if (x0 + w > map_.width || y0 + h > map_.height) {
      Error(at, "object reaches past the map");
      return false;
    }
    return true;
  }

  void Object(const Json& o, const std::string& at) {
    int event = 0;
    std::optional<TileWalk> walk;
    const Json& props = List(o, at, "properties");
    for (std::size_t i = 0; i < props.size(); ++i) {
      const std::string pat = at + "/properties/" + std::to_string(i);
      const std::string name = props[i].value("name", "");
      if (name == "event") {
        if (!Int(props[i], pat, "value", rpgfmt::kCellEventBase + 1, rpgfmt::kMaxCellEvent, event)) {
          return;
        }
      } else if (name == "walk") {
        walk = TileWalkByName(props[i].value("value", ""));
        if (!walk) return Error(pat + "/value", "walk must be \"blocked\", \"open\" or \"npc\"");
      } else {
        diag_.Warning(doc_.PosOf(pat), "object property \"" + name + "\" is not used");
      }
    }
    if (event == 0 && !walk) {
      diag_.Warning(doc_.PosOf(at), "object has neither \"event\" nor \"walk\"");
      return;
    }
    int x0 = 0, y0 = 0, w = 0, h = 0;
    if (!ObjectCells(o, at, x0, y0, w, h)) return;
    const SourcePos pos = doc_.PosOf(at);
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        CellOverride& c = overrides_[static_cast<std::size_t>(y) * map_.width + x];
        if ((event != 0 && c.event != 0) || (walk && c.walk)) {
          return Error(at, "cell (" + std::to_string(x) + ", " + std::to_string(y) +
                               ") is given an event or walkability twice");
        }
        if (event != 0) c.event = event;
        if (walk) c = {walk, pos, c.event};
      }
    }
  }

  void Cells(const Json& layer) {
    if (layer.contains("encoding") && layer["encoding"] != "csv") {
      return Error(tilesAt_ + "/encoding", "save the tile layer as CSV, not compressed");
    }
    const std::string dataAt = tilesAt_ + "/data";
    const Json& data = Member(layer, "data");
    const std::size_t count = static_cast<std::size_t>(map_.width) * map_.height;
    if (!data.is_array() || data.size() != count) {
      return Error(dataAt, "tile layer must hold " + std::to_string(count) + " cells");
    }
    map_.cells.resize(count);
    for (std::size_t i = 0; i < count && diag_.ErrorCount() - errorsBefore_ < kMaxCellErrors; ++i) {
      Cell(data[i], i, dataAt + "/" + std::to_string(i));
    }
  }

  void Cell(const Json& gidValue, std::size_t i, const std::string& at) {
    const int x = static_cast<int>(i % static_cast<std::size_t>(map_.width));
    const int y = static_cast<int>(i / static_cast<std::size_t>(map_.width));
    const std::string where = "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    if (!gidValue.is_number_unsigned()) return Error(at, where + ": tile id must be a number");
    const std::uint64_t gid = gidValue.get<std::uint64_t>();
    if (gid & kFlipBits) return Error(at, where + ": flipped or rotated tiles cannot be drawn");
    if (gid < static_cast<std::uint64_t>(firstGid_)) return Error(at, where + " has no tile");
    const std::uint64_t tile = gid - static_cast<std::uint64_t>(firstGid_);
    if (tile >= static_cast<std::uint64_t>(info_->tileCount)) {
      return Error(at, where + ": tile " + std::to_string(tile) + " is not in tile set " +
                           std::to_string(map_.tileSet));
    }
    const CellOverride& o = overrides_[i];
    const TileWalk walk = o.walk.value_or(info_->walk[static_cast<std::size_t>(tile)]);
    const std::optional<std::uint8_t> byte = TileByte(static_cast<int>(tile), walk);
    if (!byte) {
      const std::string why = tile == 0 ? ": tile 0 can be \"npc\" (byte 128) but not \"open\""
                                        : ": only tile 0 can be open to map characters alone";
      diag_.Error(o.walk ? o.walkPos : doc_.PosOf(at), where + why);
      return;
    }
    map_.cells[i] = {*byte, static_cast<std::uint8_t>(o.event ? o.event - rpgfmt::kCellEventBase : 0)};
  }

  // A wrong tile set can make every cell wrong; a few errors say enough.
  static constexpr std::size_t kMaxCellErrors = 20;

  const PositionedJson& doc_;
  const Json& root_;
  rpgfmt::ResKey key_;
  const TileSetLookup& tileSets_;
  Diagnostics& diag_;
  std::size_t errorsBefore_ = 0;
  rpgfmt::Map map_;
  std::string tileSetPos_;
  std::string tilesAt_;
  int firstGid_ = 1;
  const TileSetInfo* info_ = nullptr;
  std::vector<CellOverride> overrides_;
};

}  // namespace

std::optional<rpgfmt::Map> ParseMapJson(std::string_view text, const std::string& file,
                                        rpgfmt::ResKey key, const TileSetLookup& tileSets,
                                        Diagnostics& diag) {
  const std::optional<PositionedJson> doc = PositionedJson::Parse(text, file, diag);
  if (!doc) return std::nullopt;
  return MapParser(*doc, key, tileSets, diag).Run();
}

std::optional<std::vector<std::uint8_t>> CompileMapFile(const std::string& path,
                                                        rpgfmt::ResKey key,
                                                        const TileSetLookup& tileSets,
                                                        Diagnostics& diag) {
  std::string text;
  if (!ReadTextFile(path, diag, text)) return std::nullopt;
  const std::optional<rpgfmt::Map> map = ParseMapJson(text, path, key, tileSets, diag);
  if (!map) return std::nullopt;
  return rpgfmt::EncodeMap(*map);
}

}  // namespace datlib
