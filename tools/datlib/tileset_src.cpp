#include "tools/datlib/tileset_src.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tools/datlib/picture_png.h"
#include "tools/datlib/picture_src.h"
#include "tools/datlib/picture_src_text.h"

namespace datlib {
namespace {

constexpr std::array<const char*, 3> kWalkNames{"blocked", "open", "npc"};
constexpr int kTiledColumns = 8;

// "N" or "A-B".
bool ParseTileRange(const Word& w, const SourcePos& pos, Diagnostics& diag, int& first,
                    int& last) {
  const SourcePos at{pos.file, pos.line, pos.col + w.col - 1};
  const std::size_t dash = w.text.find('-');
  if (dash == std::string_view::npos) {
    if (!ParseNumber(w.text, 0, rpgfmt::kMaxTiles - 1, at, diag, first)) return false;
    last = first;
    return true;
  }
  if (!ParseNumber(w.text.substr(0, dash), 0, rpgfmt::kMaxTiles - 1, at, diag, first) ||
      !ParseNumber(w.text.substr(dash + 1), 0, rpgfmt::kMaxTiles - 1, at, diag, last)) {
    return false;
  }
  if (last < first) {
    diag.Error(at, "range " + std::string(w.text) + " runs backwards");
    return false;
  }
  return true;
}

// One `walk:` line: a state and the tiles it applies to.
void ApplyWalkLine(const HeaderField& f, int tileCount, std::array<bool, rpgfmt::kMaxTiles>& named,
                   TileSetInfo& info, Diagnostics& diag) {
  const std::vector<Word> words = SplitWords(f.value);
  const std::optional<TileWalk> walk =
      words.empty() ? std::nullopt : TileWalkByName(words[0].text);
  if (!walk) {
    diag.Error(f.pos, "walk: expects blocked, open or npc, then tile numbers");
    return;
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    const SourcePos at{f.pos.file, f.pos.line, f.pos.col + words[i].col - 1};
    int first = 0;
    int last = 0;
    if (!ParseTileRange(words[i], f.pos, diag, first, last)) continue;
    for (int t = first; t <= last; ++t) {
      if (t >= tileCount) {
        diag.Error(at, "tile " + std::to_string(t) + " does not exist (the set has " +
                           std::to_string(tileCount) + ")");
        break;
      }
      if (!TileByte(t, *walk)) {
        diag.Error(at, t == 0 ? "tile 0 with the walk bit (byte 128) lets only map characters "
                                "pass; write \"walk: npc 0\""
                              : "only tile 0 can be open to map characters alone");
        break;
      }
      if (named[static_cast<std::size_t>(t)]) {
        diag.Error(at, "tile " + std::to_string(t) + " is named twice");
        break;
      }
      named[static_cast<std::size_t>(t)] = true;
      info.walk[static_cast<std::size_t>(t)] = *walk;
    }
  }
}

// "1-5 9 12" for the tiles whose walkability is `walk`.
std::string TileList(const TileSetInfo& info, TileWalk walk) {
  std::string out;
  for (int t = 0; t < info.tileCount;) {
    if (info.walk[static_cast<std::size_t>(t)] != walk) {
      ++t;
      continue;
    }
    int end = t;
    while (end + 1 < info.tileCount && info.walk[static_cast<std::size_t>(end + 1)] == walk) ++end;
    out += " " + std::to_string(t);
    if (end > t) out += "-" + std::to_string(end);
    t = end + 1;
  }
  return out;
}

RgbaImage TilesImage(const rpgfmt::Picture& pic) {
  const int rows = (static_cast<int>(pic.frames.size()) + kTiledColumns - 1) / kTiledColumns;
  RgbaImage img;
  img.width = kTiledColumns * pic.width;
  img.height = rows * pic.height;
  img.pixels.assign(static_cast<std::size_t>(img.width) * img.height, kRgbaMagenta);
  for (std::size_t f = 0; f < pic.frames.size(); ++f) {
    const int x0 = static_cast<int>(f % kTiledColumns) * pic.width;
    const int y0 = static_cast<int>(f / kTiledColumns) * pic.height;
    for (int y = 0; y < pic.height; ++y) {
      for (int x = 0; x < pic.width; ++x) {
        const std::uint8_t v = pic.frames[f][static_cast<std::size_t>(y) * pic.width + x];
        img.pixels[static_cast<std::size_t>(y0 + y) * img.width + x0 + x] =
            v == rpgfmt::kPixBlack ? kRgbaBlack : kRgbaWhite;
      }
    }
  }
  return img;
}

}  // namespace

std::optional<TileWalk> TileWalkByName(std::string_view name) {
  for (std::size_t i = 0; i < kWalkNames.size(); ++i) {
    if (name == kWalkNames[i]) return static_cast<TileWalk>(i);
  }
  return std::nullopt;
}

const char* TileWalkName(TileWalk walk) { return kWalkNames[static_cast<std::size_t>(walk)]; }

std::optional<std::uint8_t> TileByte(int tile, TileWalk walk) {
  switch (walk) {
    case TileWalk::kBlocked: return static_cast<std::uint8_t>(tile);
    case TileWalk::kOpen:
      if (tile == 0) return std::nullopt;
      return static_cast<std::uint8_t>(tile | rpgfmt::kWalkBit);
    case TileWalk::kNpc:
      if (tile != 0) return std::nullopt;
      return rpgfmt::kNpcOnlyTile;
  }
  return std::nullopt;
}

TileWalk WalkOfByte(std::uint8_t tileByte) {
  if (tileByte == rpgfmt::kNpcOnlyTile) return TileWalk::kNpc;
  return (tileByte & rpgfmt::kWalkBit) ? TileWalk::kOpen : TileWalk::kBlocked;
}

std::optional<TileSetSource> LoadTileSetSource(const std::string& path, rpgfmt::ResKey key,
                                               Diagnostics& diag) {
  std::optional<PictureSource> src = LoadPictureSource(path, diag);
  if (!src) return std::nullopt;
  const std::size_t errorsBefore = diag.ErrorCount();
  if (!src->headGiven) src->picture.head = {key.id1, key.id2};
  if (!CheckPictureUse(src->picture, key, {path, 0, 0}, diag)) return std::nullopt;
  TileSetSource out{std::move(src->picture), {}};
  out.info.tileCount = static_cast<int>(out.picture.frames.size());
  std::array<bool, rpgfmt::kMaxTiles> named{};
  for (const HeaderField& f : src->extra) {
    if (f.name == "walk") {
      ApplyWalkLine(f, out.info.tileCount, named, out.info, diag);
    } else {
      diag.Error(f.pos, "unknown header word \"" + f.name + ":\"");
    }
  }
  if (diag.ErrorCount() != errorsBefore) return std::nullopt;
  return out;
}

std::optional<std::vector<std::uint8_t>> CompileTileSetFile(const std::string& path,
                                                            rpgfmt::ResKey key,
                                                            Diagnostics& diag) {
  const std::optional<TileSetSource> src = LoadTileSetSource(path, key, diag);
  if (!src) return std::nullopt;
  return rpgfmt::EncodePicture(src->picture);
}

TileSetInfo DeriveTileWalk(int tileCount, std::span<const rpgfmt::Map> maps) {
  std::vector<std::array<int, 3>> votes(static_cast<std::size_t>(rpgfmt::kMaxTiles));
  for (const rpgfmt::Map& m : maps) {
    for (const rpgfmt::MapCell& c : m.cells) {
      ++votes[static_cast<std::size_t>(rpgfmt::TileImage(c.tile))]
             [static_cast<std::size_t>(WalkOfByte(c.tile))];
    }
  }
  TileSetInfo info;
  info.tileCount = tileCount;
  for (std::size_t t = 0; t < rpgfmt::kMaxTiles; ++t) {
    const auto& v = votes[t];
    // Tile 0's open state is the npc byte; every other tile's is open.
    const int open = t == 0 ? v[2] : v[1];
    if (open > 0 && open >= v[0]) info.walk[t] = t == 0 ? TileWalk::kNpc : TileWalk::kOpen;
  }
  return info;
}

std::string WriteTileSetText(const rpgfmt::Picture& pic, const TileSetInfo& info,
                             rpgfmt::ResKey key) {
  PictureTextOptions options;
  options.defaultHead = {key.id1, key.id2};
  for (TileWalk w : {TileWalk::kOpen, TileWalk::kNpc}) {
    const std::string list = TileList(info, w);
    if (!list.empty()) options.extraHeader += std::string("walk: ") + TileWalkName(w) + list + "\n";
  }
  return WritePictureText(pic, options);
}

bool WriteTiledTileSet(const rpgfmt::Picture& pic, const TileSetInfo& info, const std::string& dir,
                       const std::string& stem, Diagnostics& diag) {
  const RgbaImage img = TilesImage(pic);
  const std::filesystem::path base(dir);
  if (!WritePng((base / (stem + ".png")).string(), img, diag)) return false;
  nlohmann::ordered_json tiles = nlohmann::ordered_json::array();
  for (int t = 0; t < info.tileCount; ++t) {
    tiles.push_back({{"id", t},
                     {"properties",
                      {{{"name", "walk"},
                        {"type", "string"},
                        {"value", TileWalkName(info.walk[static_cast<std::size_t>(t)])}}}}});
  }
  const nlohmann::ordered_json tsj = {
      {"type", "tileset"},        {"version", "1.10"},
      {"tiledversion", "1.10.2"}, {"name", stem},
      {"image", stem + ".png"},   {"imagewidth", img.width},
      {"imageheight", img.height}, {"tilewidth", pic.width},
      {"tileheight", pic.height}, {"tilecount", info.tileCount},
      {"columns", kTiledColumns}, {"margin", 0},
      {"spacing", 0},             {"tiles", tiles}};
  const std::string tsjPath = (base / (stem + ".tsj")).string();
  std::ofstream out(tsjPath, std::ios::binary);
  out << tsj.dump(1) << "\n";
  if (!out) {
    diag.Error({tsjPath, 0, 0}, "cannot write file");
    return false;
  }
  return true;
}

}  // namespace datlib
