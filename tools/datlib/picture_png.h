#pragma once
// PNG files of pictures, through the platform's PNG code: reading any PNG
// (grey, colour or indexed, with or without transparency) as RGBA pixels, and
// writing opaque pictures.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/datlib/diag.h"

namespace datlib {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBBAA, row by row

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr std::uint32_t kRgbaBlack = 0x000000FF;
inline constexpr std::uint32_t kRgbaWhite = 0xFFFFFFFF;
inline constexpr std::uint32_t kRgbaMagenta = 0xFF00FFFF;

std::optional<RgbaImage> ReadPng(const std::string& path, Diagnostics& diag);
// Writes an RGB PNG; a pixel that is not fully opaque is an error, as the
// file would not keep its transparency.
bool WritePng(const std::string& path, const RgbaImage& image, Diagnostics& diag);

}  // namespace datlib
