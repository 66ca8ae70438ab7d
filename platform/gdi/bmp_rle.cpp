#include "platform/gdi/bmp_rle.h"

#include <cstddef>

namespace plat::bmp {

namespace {

class RleWriter {
 public:
  RleWriter(const std::vector<std::uint32_t>& palette, bool topDown, Image& out)
      : palette_(palette), topDown_(topDown), out_(out) {}

  // Stores a palette index at the cursor and advances it; pixels past the
  // right edge are dropped.
  void Put(unsigned index) {
    if (x_ < out_.width && row_ < out_.height) {
      const std::int64_t y = topDown_ ? row_ : out_.height - 1 - row_;
      out_.at(int(x_), int(y)) = index < palette_.size() ? palette_[index] : 0;
    }
    ++x_;
  }
  void EndLine() {
    x_ = 0;
    ++row_;
  }
  void Move(unsigned dx, unsigned dy) {
    x_ += dx;
    row_ += dy;
  }
  bool Full() const { return row_ >= out_.height; }

 private:
  const std::vector<std::uint32_t>& palette_;
  bool topDown_;
  Image& out_;
  std::int64_t x_ = 0;
  std::int64_t row_ = 0;  // counted from the first row stored in the file
};

}  // namespace

std::optional<codec::Error> DecodeRle(std::span<const std::uint8_t> stream, unsigned bitsPerPixel,
                                      bool topDown, const std::vector<std::uint32_t>& palette,
                                      Image& out) {
  RleWriter writer(palette, topDown, out);
  const bool four = bitsPerPixel == 4;
  // Nibble k of a byte: the high one first.
  auto index = [four](std::uint8_t byte, unsigned k) -> unsigned {
    return four ? (k % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
  };
  std::size_t pos = 0;
  while (!writer.Full()) {
    if (stream.size() - pos < 2) {
      return codec::ErrorAt(pos, "RLE data ends before the end-of-picture mark");
    }
    const unsigned count = stream[pos], code = stream[pos + 1];
    pos += 2;
    if (count > 0) {
      for (unsigned k = 0; k < count; ++k) writer.Put(index(std::uint8_t(code), k));
    } else if (code == 0) {
      writer.EndLine();
    } else if (code == 1) {
      return std::nullopt;
    } else if (code == 2) {
      if (stream.size() - pos < 2) return codec::ErrorAt(pos - 2, "RLE move runs past the data");
      writer.Move(stream[pos], stream[pos + 1]);
      pos += 2;
    } else {
      // Literal run of `code` pixels, padded to a 16-bit boundary.
      const std::size_t bytes = four ? (code + 1) / 2 : code;
      const std::size_t padded = bytes + (bytes & 1);
      if (stream.size() - pos < padded) {
        return codec::ErrorAt(pos - 2, "RLE literal run runs past the data");
      }
      for (unsigned k = 0; k < code; ++k) writer.Put(index(stream[pos + (four ? k / 2 : k)], k));
      pos += padded;
    }
  }
  return std::nullopt;
}

}  // namespace plat::bmp
