#include "rpg/engine/effect_data.h"

#include <algorithm>

#include "codec/bytes.h"
#include "rpg/format/records.h"

EffectElement EffectData::Element(int k) const {
  namespace anim = rpgfmt::anim;
  const uint8_t* e = bytes.data() + anim::ElementAt(std::size_t(k));
  return {e[anim::kElementDx], e[anim::kElementDy], e[anim::kElementLife], e[anim::kElementDelay],
          e[anim::kElementPicture]};
}

std::optional<PicInfo> EffectData::Picture(int index) const {
  if (index >= pictures) return std::nullopt;
  return ReadPicHeader(bytes.subspan(pictureAt[std::size_t(index)]));
}

std::optional<EffectData> ReadEffect(std::span<const uint8_t> bytes) {
  if (bytes.size() < rpgfmt::anim::kHeaderSize) return std::nullopt;
  EffectData e{};
  e.bytes = bytes;
  e.count = bytes[rpgfmt::anim::kCount];
  e.first = bytes[rpgfmt::anim::kFirst];
  e.last = std::min<int>(bytes[rpgfmt::anim::kLast], e.count - 1);
  std::size_t at = rpgfmt::anim::ElementAt(std::size_t(e.count));
  if (at > bytes.size()) return std::nullopt;
  for (int p = 0; p < bytes[rpgfmt::anim::kPictureCount]; ++p) {
    const std::size_t size = rpgfmt::anim::PictureSize(bytes, at);
    if (size == 0) break;
    e.pictureAt[std::size_t(p)] = at;
    e.pictures = p + 1;
    at += size;
  }
  return e;
}
