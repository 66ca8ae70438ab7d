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
  out[0] = map.id1;
  out[1] = map.id2;
  out[2] = map.tileSet;
  std::copy(map.name.begin(), map.name.end(), out.begin() + 3);
  out[16] = static_cast<std::uint8_t>(map.width);
  out[17] = static_cast<std::uint8_t>(map.height);
  std::size_t at = kMapHeaderSize;
  for (const MapCell& c : map.cells) {
    out[at++] = c.tile;
    out[at++] = c.event;
  }
  return out;
}

MapRead DecodeMap(std::span<const std::uint8_t> bytes) {
  MapRead r;
  if (bytes.size() < kMapHeaderSize) {
    r.error = "map header needs 18 bytes, " + std::to_string(bytes.size()) + " left";
    return r;
  }
  Map& m = r.map;
  m.id1 = bytes[0];
  m.id2 = bytes[1];
  m.tileSet = bytes[2];
  std::copy_n(bytes.begin() + 3, kMapNameSize, m.name.begin());
  m.width = bytes[16];
  m.height = bytes[17];
  if (std::string e = CheckSize(m.width, m.height); !e.empty()) {
    r.error = e;
    return r;
  }
  const std::size_t size = MapBytes(m);
  if (size > bytes.size()) {
    r.error = SizeText(m.width, m.height) + " cells run past the end (" +
              std::to_string(bytes.size()) + " bytes)";
    return r;
  }
  m.cells.resize(static_cast<std::size_t>(m.width) * m.height);
  for (std::size_t i = 0; i < m.cells.size(); ++i) {
    m.cells[i] = {bytes[kMapHeaderSize + 2 * i], bytes[kMapHeaderSize + 2 * i + 1]};
  }
  r.size = size;
  return r;
}

}  // namespace rpgfmt
