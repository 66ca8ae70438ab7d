#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

#include "codec/bytes.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/bmp_format.h"
#include "platform/gdi/bmp_rle.h"

namespace plat {

namespace {

using namespace bmp;
using codec::LoadLe;

struct Header {
  std::uint32_t size = 0;  // of the information header
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive
  bool topDown = false;
  unsigned bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t masks[3] = {};  // red, green, blue
};

// One colour field of a 16- or 32-bit pixel, scaled to 8 bits so that the
// field's extremes become 0 and 255.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask ? unsigned(std::countr_zero(mask)) : 0),
        max_(mask ? std::uint64_t(mask >> shift_) : 1) {}
  std::uint32_t operator()(std::uint32_t pixel) const {
    const std::uint64_t v = (pixel & mask_) >> shift_;
    return std::uint32_t(max_ == 255 ? v : (v * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_;
  unsigned shift_;
  std::uint64_t max_;
};

class Decoder {
 public:
  explicit Decoder(std::span<const std::uint8_t> data) : data_(data) {}

  codec::Result<Image> Run() {
    Header h;
    if (!ReadHeaders(h) || !ReadMasks(h) || !ReadPalette(h)) return error_;
    const std::uint32_t offset = LoadLe<std::uint32_t>(&data_[10]);
    if (offset < kFileHeaderSize + h.size || offset > data_.size()) {
      return codec::ErrorAt(10, "pixel data offset lies outside the file");
    }
    Image out;
    out.width = int(h.width);
    out.height = int(h.height);
    out.pixels.assign(std::size_t(h.width * h.height), 0);
    auto bits = data_.subspan(offset);
    if (h.compression == kRle8 || h.compression == kRle4) {
      if (auto e = DecodeRle(RleStream(bits, h), h.bitsPerPixel, h.topDown, palette_, out)) {
        return codec::ErrorAt(offset + e->offset.value_or(0), e->message);
      }
    } else if (!DecodeRows(bits, h, out)) {
      return codec::ErrorAt(offset, "BMP pixel data is truncated");
    }
    return out;
  }

 private:
  bool Fail(std::size_t at, const char* message) {
    error_ = codec::ErrorAt(at, message);
    return false;
  }

  bool ReadHeaders(Header& h) {
    if (data_.size() < kFileHeaderSize + 4) return Fail(0, "too short for a BMP file");
    if (data_[0] != 'B' || data_[1] != 'M') return Fail(0, "not a BMP file (no \"BM\" mark)");
    const std::uint8_t* info = &data_[kFileHeaderSize];
    h.size = LoadLe<std::uint32_t>(info);
    if (h.size != kCoreHeaderSize && (h.size < kInfoHeaderSize || h.size > kMaxHeaderSize)) {
      return Fail(kFileHeaderSize, "unknown BMP header size");
    }
    if (data_.size() - kFileHeaderSize < h.size) return Fail(kFileHeaderSize, "BMP header is truncated");
    unsigned planes;
    const bool core = h.size == kCoreHeaderSize;
    if (core) {
      h.width = LoadLe<std::uint16_t>(info + 4);
      h.height = LoadLe<std::uint16_t>(info + 6);
      planes = LoadLe<std::uint16_t>(info + 8);
      h.bitsPerPixel = LoadLe<std::uint16_t>(info + 10);
    } else {
      h.width = LoadLe<std::int32_t>(info + 4);
      h.height = LoadLe<std::int32_t>(info + 8);
      planes = LoadLe<std::uint16_t>(info + 12);
      h.bitsPerPixel = LoadLe<std::uint16_t>(info + 14);
      h.compression = LoadLe<std::uint32_t>(info + 16);
      h.imageSize = LoadLe<std::uint32_t>(info + 20);
      h.colorsUsed = LoadLe<std::uint32_t>(info + 32);
    }
    if (h.height < 0) {
      h.topDown = true;
      h.height = -h.height;
    }
    if (planes != 1) return Fail(kFileHeaderSize + (core ? 8 : 12), "BMP plane count is not 1");
    const std::size_t widthAt = kFileHeaderSize + 4, heightAt = kFileHeaderSize + (core ? 6 : 8);
    if (h.width <= 0) return Fail(widthAt, "BMP picture is empty");
    if (h.height <= 0) return Fail(heightAt, "BMP picture is empty");
    if (h.width > kMaxBmpSide) return Fail(widthAt, "BMP picture is too large");
    if (h.height > kMaxBmpSide || h.width * h.height > kMaxBmpPixels) {
      return Fail(heightAt, "BMP picture is too large");
    }
    switch (h.bitsPerPixel) {
      case 1:
      case 4:
      case 8:
      case 16:
      case 24:
      case 32: break;
      default: return Fail(kFileHeaderSize + (core ? 10 : 14), "unsupported BMP bit depth");
    }
    const bool fits =
        h.compression == kRgb || (h.compression == kRle8 && h.bitsPerPixel == 8) ||
        (h.compression == kRle4 && h.bitsPerPixel == 4) ||
        (h.compression == kBitfields && (h.bitsPerPixel == 16 || h.bitsPerPixel == 32));
    if (!fits) return Fail(kFileHeaderSize + 16, "unsupported BMP compression for this bit depth");
    return true;
  }

  // Start of the colour table: after the header and any separate masks.
  std::size_t TableOffset(const Header& h) const {
    const bool separateMasks = h.compression == kBitfields && h.size == kInfoHeaderSize;
    return kFileHeaderSize + h.size + (separateMasks ? kMaskFieldsSize : 0);
  }

  bool ReadMasks(Header& h) {
    if (h.compression != kBitfields) {
      const bool five = h.bitsPerPixel == 16;
      h.masks[0] = five ? 0x7C00 : 0xFF0000;
      h.masks[1] = five ? 0x03E0 : 0x00FF00;
      h.masks[2] = five ? 0x001F : 0x0000FF;
      return true;
    }
    const std::size_t at =
        h.size == kInfoHeaderSize ? kFileHeaderSize + h.size : kFileHeaderSize + 40;
    if (h.size != kInfoHeaderSize && h.size < 40 + kMaskFieldsSize) {
      return Fail(kFileHeaderSize, "BMP header too small for its bit-field masks");
    }
    if (data_.size() < at + kMaskFieldsSize) return Fail(at, "BMP bit-field masks are truncated");
    for (int i = 0; i < 3; ++i) h.masks[i] = LoadLe<std::uint32_t>(&data_[at + 4 * std::size_t(i)]);
    return true;
  }

  bool ReadPalette(const Header& h) {
    if (h.bitsPerPixel > 8) return true;
    const std::uint32_t most = 1u << h.bitsPerPixel;
    const std::uint32_t count = h.colorsUsed == 0 || h.colorsUsed > most ? most : h.colorsUsed;
    const std::size_t entry = h.size == kCoreHeaderSize ? 3 : 4;
    const std::size_t at = TableOffset(h);
    if (data_.size() < at || (data_.size() - at) / entry < count) {
      return Fail(at, "BMP colour table is truncated");
    }
    palette_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* p = &data_[at + i * entry];
      palette_[i] = LoadLe<std::uint32_t>(p, 3);  // blue, green, red
    }
    return true;
  }

  std::span<const std::uint8_t> RleStream(std::span<const std::uint8_t> bits,
                                          const Header& h) const {
    return h.imageSize > 0 && h.imageSize < bits.size() ? bits.first(h.imageSize) : bits;
  }

  bool DecodeRows(std::span<const std::uint8_t> bits, const Header& h, Image& out) {
    const std::uint64_t stride = RowBytes(std::uint64_t(h.width), h.bitsPerPixel);
    if (bits.size() / stride < std::uint64_t(h.height)) return false;
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (std::int64_t r = 0; r < h.height; ++r) {
      const std::uint8_t* row = bits.data() + std::size_t(r) * stride;
      std::uint32_t* dst = &out.pixels[std::size_t((h.topDown ? r : h.height - 1 - r) * h.width)];
      for (std::int64_t x = 0; x < h.width; ++x) {
        dst[x] = Pixel(row, std::size_t(x), h.bitsPerPixel, red, green, blue);
      }
    }
    return true;
  }

  std::uint32_t Pixel(const std::uint8_t* row, std::size_t x, unsigned bpp, const Channel& red,
                      const Channel& green, const Channel& blue) const {
    std::uint32_t raw;
    switch (bpp) {
      case 1: return Indexed((row[x / 8] >> (7 - x % 8)) & 1);
      case 4: return Indexed(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
      case 8: return Indexed(row[x]);
      case 24:
        return LoadLe<std::uint32_t>(row + 3 * x, 3);
      case 16: raw = LoadLe<std::uint16_t>(row + 2 * x); break;
      default: raw = LoadLe<std::uint32_t>(row + 4 * x); break;
    }
    return red(raw) << 16 | green(raw) << 8 | blue(raw);
  }

  std::uint32_t Indexed(unsigned index) const {
    return index < palette_.size() ? palette_[index] : 0;
  }

  std::span<const std::uint8_t> data_;
  std::vector<std::uint32_t> palette_;
  codec::Error error_;
};

}  // namespace

codec::Result<Image> DecodeBmp(std::span<const std::uint8_t> data) { return Decoder(data).Run(); }

codec::Result<Image> ReadBmpFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return codec::Error{std::nullopt, "cannot open the file", path};
  const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                       std::istreambuf_iterator<char>());
  if (file.bad()) return codec::Error{std::nullopt, "cannot read the file", path};
  codec::Result<Image> image = DecodeBmp(data);
  if (!image) return codec::Error{image.error().offset, image.error().message, path};
  return image;
}

}  // namespace plat
