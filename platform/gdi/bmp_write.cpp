#include <algorithm>
#include <fstream>
#include <unordered_map>

#include "codec/bytes.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/bmp_format.h"

namespace plat {

namespace {

using namespace bmp;
using codec::AppendLe;
using codec::StoreLe;

bool Fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

// The colour table of a palette picture and the index of each colour.
bool MakePalette(const Image& image, const BmpWriteOptions& options,
                 std::vector<std::uint32_t>& table,
                 std::unordered_map<std::uint32_t, unsigned>& index, std::string* error) {
  const std::size_t most = std::size_t(1) << options.bitsPerPixel;
  table = options.palette;
  if (table.size() > most) return Fail(error, "colour table larger than the bit depth holds");
  for (std::size_t i = 0; i < table.size(); ++i) index.emplace(table[i] & 0xFFFFFF, unsigned(i));
  for (std::uint32_t pixel : image.pixels) {
    pixel &= 0xFFFFFF;
    if (index.count(pixel)) continue;
    if (!options.palette.empty())
      return Fail(error, "picture has a colour missing from the palette");
    if (table.size() == most)
      return Fail(error, "picture has more colours than the bit depth holds");
    index.emplace(pixel, unsigned(table.size()));
    table.push_back(pixel);
  }
  return true;
}

void PutRow(std::vector<std::uint8_t>& out, const std::uint32_t* row, int width,
            const BmpWriteOptions& o, const std::unordered_map<std::uint32_t, unsigned>& index) {
  const std::size_t start = out.size();
  const int bpp = o.bitsPerPixel;
  out.resize(start + RowBytes(std::uint64_t(width), unsigned(bpp)), 0);
  std::uint8_t* p = &out[start];
  for (int x = 0; x < width; ++x) {
    const std::uint32_t c = row[x] & 0xFFFFFF;
    const std::uint32_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
    switch (bpp) {
      case 1:
      case 4:
      case 8: {
        const unsigned i = index.at(c);
        const int bit = x * bpp;  // most significant bits first
        p[bit / 8] |= std::uint8_t(i << (8 - bpp - bit % 8));
        break;
      }
      case 16: {
        const std::uint32_t v = o.rgb565 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                                         : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
        StoreLe(p + 2 * x, std::uint16_t(v));
        break;
      }
      default:
        StoreLe(p + (bpp / 8) * x, c, 3);  // blue, green, red
        break;
    }
  }
}

std::uint32_t HeaderSize(BmpHeader header) {
  switch (header) {
    case BmpHeader::kCore: return kCoreHeaderSize;
    case BmpHeader::kV4: return kV4HeaderSize;
    case BmpHeader::kV5: return kV5HeaderSize;
    default: return kInfoHeaderSize;
  }
}

void PutInfoHeader(std::vector<std::uint8_t>& out, const Image& image, const BmpWriteOptions& o,
                   std::uint32_t size, std::uint32_t paletteCount, std::uint32_t imageSize) {
  const bool fields = o.bitsPerPixel == 16 && o.rgb565;
  AppendLe<std::uint32_t>(out, size);
  if (o.header == BmpHeader::kCore) {
    AppendLe<std::uint16_t>(out, std::uint32_t(image.width));
    AppendLe<std::uint16_t>(out, std::uint32_t(image.height));
    AppendLe<std::uint16_t>(out, 1);
    AppendLe<std::uint16_t>(out, std::uint32_t(o.bitsPerPixel));
    return;
  }
  AppendLe<std::uint32_t>(out, std::uint32_t(image.width));
  AppendLe<std::uint32_t>(out, std::uint32_t(o.topDown ? -image.height : image.height));
  AppendLe<std::uint16_t>(out, 1);
  AppendLe<std::uint16_t>(out, std::uint32_t(o.bitsPerPixel));
  AppendLe<std::uint32_t>(out, fields ? kBitfields : kRgb);
  AppendLe<std::uint32_t>(out, imageSize);
  AppendLe<std::uint32_t>(out, 2835);  // 72 dots per inch
  AppendLe<std::uint32_t>(out, 2835);
  AppendLe<std::uint32_t>(out, paletteCount);
  AppendLe<std::uint32_t>(out, 0);
  // Bit-field masks: inside a larger header, or right after a 40-byte one.
  const std::uint32_t masks[3] = {fields ? 0xF800u : 0, fields ? 0x07E0u : 0, fields ? 0x001Fu : 0};
  if (size == kInfoHeaderSize) {
    if (fields) {
      for (std::uint32_t m : masks) AppendLe<std::uint32_t>(out, m);
    }
    return;
  }
  for (std::uint32_t m : masks) AppendLe<std::uint32_t>(out, m);
  // Alpha mask, colour space "sRGB", end points and gamma, then V5's extra fields.
  AppendLe<std::uint32_t>(out, 0);
  AppendLe<std::uint32_t>(out, 0x73524742);
  out.resize(out.size() + (size - 60), 0);
}

}  // namespace

bool EncodeBmp(const Image& image, const BmpWriteOptions& o, std::vector<std::uint8_t>& out,
               std::string* error) {
  out.clear();
  const int bpp = o.bitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    return Fail(error, "unsupported bit depth for writing");
  }
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxBmpSide ||
      image.height > kMaxBmpSide ||
      image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) {
    return Fail(error, "picture size is empty, too large or does not match its pixels");
  }
  if (o.header == BmpHeader::kCore && (o.topDown || (bpp == 16 && o.rgb565))) {
    return Fail(error, "the core header has no top-down rows or bit fields");
  }
  std::vector<std::uint32_t> table;
  std::unordered_map<std::uint32_t, unsigned> index;
  if (bpp <= 8 && !MakePalette(image, o, table, index, error)) return false;
  // A core header has no colour count: its table is always full.
  if (bpp <= 8 && o.header == BmpHeader::kCore) table.resize(std::size_t(1) << bpp, 0);

  const std::uint32_t headerSize = HeaderSize(o.header);
  const bool separateMasks = bpp == 16 && o.rgb565 && headerSize == kInfoHeaderSize;
  const std::uint32_t entry = o.header == BmpHeader::kCore ? 3 : 4;
  const std::uint32_t offset = std::uint32_t(kFileHeaderSize) + headerSize +
                               (separateMasks ? kMaskFieldsSize : 0) +
                               entry * std::uint32_t(table.size());
  const std::uint64_t imageSize =
      RowBytes(std::uint64_t(image.width), unsigned(bpp)) * image.height;
  if (offset + imageSize > 0xFFFFFFFFu) return Fail(error, "picture too large for a BMP file");

  out.reserve(std::size_t(offset + imageSize));
  out.push_back('B');
  out.push_back('M');
  AppendLe<std::uint32_t>(out, std::uint32_t(offset + imageSize));
  AppendLe<std::uint32_t>(out, 0);
  AppendLe<std::uint32_t>(out, offset);
  PutInfoHeader(out, image, o, headerSize, std::uint32_t(table.size()), std::uint32_t(imageSize));
  for (std::uint32_t c : table) AppendLe(out, c & 0xFFFFFF, entry);  // blue, green, red (, 0)
  for (int r = 0; r < image.height; ++r) {
    const int y = o.topDown ? r : image.height - 1 - r;
    PutRow(out, &image.pixels[std::size_t(y) * std::size_t(image.width)], image.width, o, index);
  }
  return true;
}

bool WriteBmpFile(const std::string& path, const Image& image, const BmpWriteOptions& options,
                  std::string* error) {
  std::vector<std::uint8_t> bytes;
  if (!EncodeBmp(image, options, bytes, error)) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file.flush()) return Fail(error, "cannot write " + path);
  return true;
}

}  // namespace plat
