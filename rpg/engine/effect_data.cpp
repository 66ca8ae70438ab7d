#include "rpg/engine/effect_data.h"

#include <algorithm>

#include "codec/bytes.h"
#include "rpg/format/records.h"

EffectElement EffectData::Element(int k) const {
  const uint8_t* e = bytes.data() + rpgfmt::anim::kHeaderSize + std::size_t(k) * rpgfmt::anim::kElementSize;
  return {e[0], e[1], e[2], e[3], e[4]};
}

std::optional<PicInfo> EffectData::Picture(int index) const {
  if (index >= pictures) return std::nullopt;
  return ReadPicHeader(bytes.subspan(pictureAt[std::size_t(index)]));
}

std::optional<EffectData> ReadEffect(std::span<const uint8_t> bytes) {
  if (bytes.size() < rpgfmt::anim::kHeaderSize) return std::nullopt;
  EffectData e{};
  e.bytes = bytes;
  e.count = bytes[2];
  e.first = bytes[4];
  e.last = std::min<int>(bytes[5], e.count - 1);
  std::size_t at = rpgfmt::anim::kHeaderSize + std::size_t(e.count) * rpgfmt::anim::kElementSize;
  if (at > bytes.size()) return std::nullopt;
  for (int p = 0; p < bytes[3]; ++p) {
    const std::size_t size = rpgfmt::anim::PictureSize(bytes, at);
    if (size == 0) break;
    e.pictureAt[std::size_t(p)] = at;
    e.pictures = p + 1;
    at += size;
  }
  return e;
}
