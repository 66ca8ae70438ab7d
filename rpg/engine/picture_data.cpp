#include "rpg/engine/picture_data.h"

#include "codec/bytes.h"
#include "rpg/format/picture.h"

std::optional<PicInfo> ReadPicHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < rpgfmt::kPicHeaderSize) return std::nullopt;
  return PicInfo{bytes[rpgfmt::kPicWidthOffset], bytes[rpgfmt::kPicHeightOffset],
                 bytes[rpgfmt::kPicFramesOffset], bytes[rpgfmt::kPicDepthOffset], bytes};
}

std::size_t PicRowBytes(int width, int depth) {
  return std::size_t((width + 7) / 8) * (depth == 2 ? 2 : 1);
}

std::size_t PicFrameSize(int width, int height, int depth) {
  return std::size_t((width + 7) / 8) * std::size_t(height) * std::size_t(depth);
}

std::span<const uint8_t> PicBitsAt(const PicInfo& pic, std::size_t offset) {
  const std::size_t drawn = PicRowBytes(pic.width, pic.depth) * std::size_t(pic.height);
  if (!codec::Fits(pic.bytes.size(), offset, drawn)) return {};
  return pic.bytes.subspan(offset, drawn);
}

std::span<const uint8_t> PicFrameBits(const PicInfo& pic, int frame) {
  if (frame < 0 || frame >= pic.frames) return {};
  const std::size_t offset =
      rpgfmt::kPicHeaderSize + std::size_t(frame) * PicFrameSize(pic.width, pic.height, pic.depth);
  return PicBitsAt(pic, offset);
}
