#pragma once
// Byte layout of BMP files, shared by the reader and the writer.
//
// File header, 14 bytes:   0 "BM"  2 u32 file size  6 u32 reserved  10 u32 offset of the pixel bits
// Core header, 12 bytes:   0 u32 size  4 u16 width  6 u16 height  8 u16 planes  10 u16 bits per pixel
// Info header, 40 bytes:   0 u32 size  4 i32 width  8 i32 height (negative: rows top-down)
//                          12 u16 planes  14 u16 bits per pixel  16 u32 compression
//                          20 u32 image size  24 i32 x ppm  28 i32 y ppm  32 u32 colours used
//                          36 u32 colours important
// V2 and later (52+ bytes) carry the red, green and blue masks at 40, 44 and 48
// (alpha at 52); V4 is 108 bytes and V5 124. A 40-byte header with bit-field
// compression is followed by the three masks instead.
// The colour table follows the header: 4 bytes per entry (blue, green, red,
// 0), 3 bytes (blue, green, red) after a core header. Rows are padded to
// 4 bytes and run bottom-up unless the height is negative.

#include <cstddef>
#include <cstdint>

namespace plat::bmp {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kMaskFieldsSize = 12;
constexpr std::uint32_t kMaxHeaderSize = 1024;

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;

// Bytes per row of w pixels of the given depth, padded to 4 bytes.
constexpr std::uint64_t RowBytes(std::uint64_t width, unsigned bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

}  // namespace plat::bmp
