// Picture and map readers (library bytes) and their source parsers (text).
// The first byte picks the reader; a reader that accepts its input must
// write it back to the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "rpg/format/map.h"
#include "rpg/format/picture.h"
#include "rpg/format/tileset.h"
#include "tools/datlib/map_src.h"
#include "tools/datlib/picture_src.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

void PictureBytes(std::span<const std::uint8_t> in) {
  const auto r = rpgfmt::DecodePicture(in);
  if (!r) return;
  Require(r->size <= in.size());
  const std::vector<std::uint8_t> out = rpgfmt::EncodePicture(r->picture);
  Require(out.size() == r->size);
  if (r->paddingClean) Require(std::equal(out.begin(), out.end(), in.begin()));
  (void)rpgfmt::DecodeTileSet(in);
}

void MapBytes(std::span<const std::uint8_t> in) {
  const auto r = rpgfmt::DecodeMap(in);
  if (!r) return;
  std::vector<std::uint8_t> out = rpgfmt::EncodeMap(r->map);
  Require(out.size() == r->size);
  // Bytes 13..15 are unused and written 0.
  std::fill(out.begin() + 13, out.begin() + 16, 0);
  std::vector<std::uint8_t> expected(in.begin(), in.begin() + static_cast<long>(r->size));
  std::fill(expected.begin() + 13, expected.begin() + 16, 0);
  Require(out == expected);
}

void PictureText(std::string_view text) {
  datlib::Diagnostics diag;
  const auto src = datlib::ParsePictureText(text, "fuzz.txt", diag);
  Require(src.has_value() != diag.HasErrors());
  if (src) Require(rpgfmt::CheckPicture(src->picture).empty());
}

void MapText(std::string_view text) {
  datlib::TileSetInfo info;
  info.tileCount = 8;
  info.walk[0] = datlib::TileWalk::kNpc;
  info.walk[1] = datlib::TileWalk::kOpen;
  const datlib::TileSetLookup lookup = [&](std::uint8_t n) { return n == 1 ? &info : nullptr; };
  datlib::Diagnostics diag;
  const auto map = datlib::ParseMapJson(text, "fuzz.json", {2, 1, 1}, lookup, diag);
  if (!map) return;
  Require(rpgfmt::CheckMap(*map).empty());
  const auto json = datlib::WriteMapJson(*map, info, "t.tsj", {"fuzz", 0, 0}, diag);
  if (!json) return;
  const auto back = datlib::ParseMapJson(*json, "back.json", {2, 1, 1}, lookup, diag);
  Require(back && rpgfmt::EncodeMap(*back) == rpgfmt::EncodeMap(*map));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> in(data + 1, size - 1);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 4) {
    case 0: PictureBytes(in); break;
    case 1: MapBytes(in); break;
    case 2: PictureText(text); break;
    default: MapText(text); break;
  }
  return 0;
}
