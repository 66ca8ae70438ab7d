// Dumping tile sets and maps together: a tile set's walkability is not
// stored in it but in the cells of the maps that use it, so the maps of each
// tile set are read first and the tile set's default walkability is derived
// from them; each map then overrides only the cells that differ.

#include <algorithm>

#include "rpg/format/map.h"
#include "rpg/format/tileset.h"
#include "tools/datlib/dump_state.h"
#include "tools/datlib/map_src.h"

namespace datlib {
namespace {

struct LoadedTileSet {
  const DumpInput* input;
  rpgfmt::Picture picture;
  TileSetInfo info;
};

struct LoadedMap {
  const DumpInput* input;
  rpgfmt::Map map;
};

bool SameBytes(const std::vector<std::uint8_t>& encoded, std::span<const std::uint8_t> bytes) {
  return encoded.size() <= bytes.size() && std::equal(encoded.begin(), encoded.end(), bytes.begin());
}

// A tile set that writes back to exactly its bytes (no stray padding bits).
std::optional<rpgfmt::Picture> ExactTileSet(const DumpInput& in) {
  const auto read = rpgfmt::DecodeTileSet(in.bytes);
  if (!read || !read->paddingClean) return std::nullopt;
  if (!SameBytes(rpgfmt::EncodePicture(read->picture), in.bytes)) return std::nullopt;
  return read->picture;
}

std::optional<rpgfmt::Map> ExactMap(const DumpInput& in) {
  const auto read = rpgfmt::DecodeMap(in.bytes);
  if (!read || !SameBytes(rpgfmt::EncodeMap(read->map), in.bytes)) return std::nullopt;
  return read->map;
}

std::string TileSetPath(rpgfmt::ResKey key) { return "tilesets/" + Stem(key); }

void WriteMap(const LoadedMap& m, const LoadedTileSet* ts, DumpState& st, Diagnostics& diag) {
  const DumpInput& in = *m.input;
  if (ts == nullptr) {
    diag.Warning(in.origin, "map kept as raw bytes: its tile set is missing");
    AddHexEntry(in.key, in.bytes, st);
    return;
  }
  const std::string ref = "../" + TileSetPath(ts->input->key) + ".tsj";
  Diagnostics local;
  auto json = WriteMapJson(m.map, ts->info, ref, in.origin, local);
  // Only a map whose JSON compiles back to the same bytes is written as JSON.
  std::optional<rpgfmt::Map> back;
  if (json) {
    const TileSetLookup lookup = [ts](std::uint8_t) { return &ts->info; };
    back = ParseMapJson(*json, "maps/" + Stem(in.key) + ".json", in.key, lookup, local);
  }
  if (!back || rpgfmt::EncodeMap(*back) != rpgfmt::EncodeMap(m.map)) {
    diag.Warning(in.origin, "map kept as raw bytes: its cells cannot be written as a Tiled map");
    AddHexEntry(in.key, in.bytes, st);
    return;
  }
  const std::string file = "maps/" + Stem(in.key) + ".json";
  st.files[file] = *json;
  AddFileEntry(in.key, file, in.bytes, in.known, st);
}

}  // namespace

void DumpMapsAndTileSets(std::span<const DumpInput> tileSets, std::span<const DumpInput> maps,
                         DumpState& st, Diagnostics& diag) {
  std::vector<LoadedTileSet> sets;
  for (const DumpInput& in : tileSets) {
    auto pic = ExactTileSet(in);
    if (!pic) {
      diag.Warning(in.origin, "tile set kept as raw bytes: it is no exact tile set");
      AddHexEntry(in.key, in.bytes, st);
      continue;
    }
    sets.push_back({&in, std::move(*pic), {}});
  }
  std::vector<LoadedMap> loaded;
  for (const DumpInput& in : maps) {
    auto map = ExactMap(in);
    if (!map) {
      diag.Warning(in.origin, "map kept as raw bytes: it is no exact map");
      AddHexEntry(in.key, in.bytes, st);
      continue;
    }
    loaded.push_back({&in, std::move(*map)});
  }
  auto setFor = [&sets](std::uint8_t number) -> LoadedTileSet* {
    for (LoadedTileSet& s : sets) {
      if (s.input->key.id1 == 1 && s.input->key.id2 == number) return &s;
    }
    return nullptr;
  };
  for (LoadedTileSet& s : sets) {
    std::vector<rpgfmt::Map> users;
    for (const LoadedMap& m : loaded) {
      if (s.input->key.id1 == 1 && m.map.tileSet == s.input->key.id2) users.push_back(m.map);
    }
    s.info = DeriveTileWalk(static_cast<int>(s.picture.frames.size()), users);
    const std::string path = TileSetPath(s.input->key);
    st.files[path + ".txt"] = WriteTileSetText(s.picture, s.info, s.input->key);
    AddFileEntry(s.input->key, path + ".txt", s.input->bytes, s.input->known, st);
    st.tiled.push_back({s.picture, s.info, "tilesets", Stem(s.input->key)});
  }
  for (const LoadedMap& m : loaded) WriteMap(m, setFor(m.map.tileSet), st, diag);
}

}  // namespace datlib
