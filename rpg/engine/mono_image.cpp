#include "rpg/engine/mono_image.h"

#include <algorithm>
#include <vector>

#include "codec/bytes.h"
#include "host/res.h"

namespace {

// A 1-bit BMP, rows top down: palette entry 0 white, 1 black, as the bits are.
std::vector<uint8_t> MonoBmp(int width, int height, std::span<const uint8_t> rows) {
  const std::size_t stride = std::size_t(width + 31) / 32 * 4;
  const std::size_t rowBytes = std::size_t(width + 7) / 8;
  const uint32_t dataAt = 14 + 40 + 8;
  std::vector<uint8_t> bmp = {'B', 'M'};
  codec::AppendLe<uint32_t>(bmp, uint32_t(dataAt + stride * std::size_t(height)));
  codec::AppendLe<uint32_t>(bmp, 0);
  codec::AppendLe<uint32_t>(bmp, dataAt);
  codec::AppendLe<uint32_t>(bmp, 40);
  codec::AppendLe<int32_t>(bmp, width);
  codec::AppendLe<int32_t>(bmp, -height);
  codec::AppendLe<uint16_t>(bmp, 1);
  codec::AppendLe<uint16_t>(bmp, 1);
  for (int i = 0; i < 6; ++i) codec::AppendLe<uint32_t>(bmp, 0);
  codec::AppendLe<uint32_t>(bmp, 0x00FFFFFF);
  codec::AppendLe<uint32_t>(bmp, 0x00000000);
  const std::size_t whole = rowBytes == 0 ? 0 : rows.size() / rowBytes;
  for (std::size_t r = 0; r < std::size_t(height); ++r) {
    const std::size_t at = bmp.size();
    bmp.resize(at + stride, 0);
    if (r < whole) std::copy_n(rows.data() + r * rowBytes, rowBytes, &bmp[at]);
  }
  return bmp;
}

}  // namespace

int MakeMonoImage(ImageRef* out, int width, int height, std::span<const uint8_t> rows) {
  if (width <= 0 || height <= 0) return 0;
  const std::vector<uint8_t> bmp = MonoBmp(width, height, rows);
  ImageRef made{};
  if (ImageFromPackedBmp(&made, bmp.data(), bmp.size(), 0) != 1) return 0;
  *out = made;
  return 1;
}
