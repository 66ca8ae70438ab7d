#pragma once
// BMP files: a checked decoder for every common layout and a small writer.
//
// The decoder reads 1, 4, 8, 16, 24 and 32 bits per pixel, colour tables,
// bottom-up and top-down rows, RLE4 and RLE8, bit-field masks, the 40-byte
// information header and the larger ones up to version 5, and the 12-byte
// OS/2 core header. Every pixel comes out as its exact colour (5- and 6-bit
// fields are scaled so that their extremes become 0 and 255: 16-bit magenta
// stays 0xFF00FF). Sizes and offsets are checked before anything is read.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/result.h"
#include "platform/gdi/image.h"

namespace plat {

// Pictures larger than this are refused.
constexpr int kMaxBmpSide = 32767;
constexpr std::int64_t kMaxBmpPixels = std::int64_t(1) << 24;

// Decodes a whole BMP file image ("BM" file header first); a fault names the
// byte of the field that is wrong (the pixel data's start when it is short).
codec::Result<Image> DecodeBmp(std::span<const std::uint8_t> data);

// Reads and decodes a BMP file.
codec::Result<Image> ReadBmpFile(const std::string& path);

enum class BmpHeader { kInfo, kV4, kV5, kCore };

struct BmpWriteOptions {
  int bitsPerPixel = 24;  // 1, 4, 8 (colour table), 16, 24 or 32
  bool rgb565 = false;    // 16 bits as 5-6-5 bit fields instead of 5-5-5
  bool topDown = false;
  BmpHeader header = BmpHeader::kInfo;
  // Colour table for 1, 4 and 8 bits, as 0x00RRGGBB words. Empty: made from
  // the picture's colours in order of first appearance.
  std::vector<std::uint32_t> palette = {};
};

// Encodes the picture. Fails (false, error) when a palette picture has more
// colours than the depth holds or a pixel is missing from the given palette.
bool EncodeBmp(const Image& image, const BmpWriteOptions& options, std::vector<std::uint8_t>& out,
               std::string* error = nullptr);

bool WriteBmpFile(const std::string& path, const Image& image, const BmpWriteOptions& options,
                  std::string* error = nullptr);

}  // namespace plat
