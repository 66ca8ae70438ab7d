#include "rpg/format/map.h"

#include <algorithm>

namespace rpgfmt {
namespace {

std::string SizeText(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

std::string CheckSize(int w, int h) {
  if (w < kMapMinWidth || h < kMapMinHeight || w > 255 || h > 255) {
    return "map of " + SizeText(w, h) + " cells; the 9x6 view needs 9x6 .. 255x255";
  }
  return {};
}

}  // namespace

std::size_t MapBytes(const Map& map) {
  return kMapHeaderSize + static_cast<std::size_t>(map.width) * map.height * 2;
}

std::string CheckMap(const Map& map) {
  if (std::string e = CheckSize(map.width, map.height); !e.empty()) return e;
  if (map.cells.size() != static_cast<std::size_t>(map.width) * map.height) {
    return "map holds " + std::to_string(map.cells.size()) + " cells instead of " +
           std::to_string(map.width * map.height);
  }
  return {};
}

std::vector<std::uint8_t> EncodeMap(const Map& map) {
  std::vector<std::uint8_t> out(MapBytes(map), 0);
  out[kMapId1Offset] = map.id1;
  out[kMapId2Offset] = map.id2;
  out[kMapTileSetOffset] = map.tileSet;
  std::copy(map.name.begin(), map.name.end(), out.begin() + kMapNameOffset);
  out[kMapWidthOffset] = static_cast<std::uint8_t>(map.width);
  out[kMapHeightOffset] = static_cast<std::uint8_t>(map.height);
  std::size_t at = kMapHeaderSize;
  for (const MapCell& c : map.cells) {
    out[at++] = c.tile;
    out[at++] = c.event;
  }
  return out;
}

codec::Result<MapRead> DecodeMap(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kMapHeaderSize) {
    return codec::ErrorAt(0,
                          "map header needs 18 bytes, " + std::to_string(bytes.size()) + " left");
  }
  MapRead r;
  Map& m = r.map;
  m.id1 = bytes[kMapId1Offset];
  m.id2 = bytes[kMapId2Offset];
  m.tileSet = bytes[kMapTileSetOffset];
  std::copy_n(bytes.begin() + kMapNameOffset, kMapNameSize, m.name.begin());
  m.width = bytes[kMapWidthOffset];
  m.height = bytes[kMapHeightOffset];
  if (std::string e = CheckSize(m.width, m.height); !e.empty()) {
    return codec::ErrorAt(kMapWidthOffset, e);
  }
  const std::size_t size = MapBytes(m);
  if (size > bytes.size()) {
    return codec::ErrorAt(kMapWidthOffset, SizeText(m.width, m.height) +
                                               " cells run past the end (" +
                                               std::to_string(bytes.size()) + " bytes)");
  }
  m.cells.resize(static_cast<std::size_t>(m.width) * m.height);
  for (std::size_t i = 0; i < m.cells.size(); ++i) {
    m.cells[i] = {bytes[kMapHeaderSize + 2 * i], bytes[kMapHeaderSize + 2 * i + 1]};
  }
  r.size = size;
  return r;
}

}  // namespace rpgfmt
