#include "tools/datlib/picture_png.h"

#include <png.h>

#include <filesystem>

namespace datlib {
namespace {
constexpr png_uint_32 kMaxSide = 4096;
}  // namespace

std::optional<RgbaImage> ReadPng(const std::string& path, Diagnostics& diag) {
  // A named pipe or device would block or never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    diag.Error({path, 0, 0}, "no such PNG file");
    return std::nullopt;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    diag.Error({path, 0, 0}, std::string("cannot read PNG: ") + png.message);
    return std::nullopt;
  }
  // No picture source needs more; larger claims are refused before allocating.
  if (png.width > kMaxSide || png.height > kMaxSide) {
    diag.Error({path, 0, 0}, "PNG of " + std::to_string(png.width) + "x" +
                                 std::to_string(png.height) + " pixels is larger than 4096x4096");
    png_image_free(&png);
    return std::nullopt;
  }
  png.format = PNG_FORMAT_RGBA;
  RgbaImage img;
  img.width = static_cast<int>(png.width);
  img.height = static_cast<int>(png.height);
  std::vector<std::uint8_t> raw(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, raw.data(), 0, nullptr)) {
    diag.Error({path, 0, 0}, std::string("cannot decode PNG: ") + png.message);
    png_image_free(&png);
    return std::nullopt;
  }
  img.pixels.resize(raw.size() / 4);
  for (std::size_t i = 0; i < img.pixels.size(); ++i) {
    img.pixels[i] = std::uint32_t{raw[4 * i]} << 24 | std::uint32_t{raw[4 * i + 1]} << 16 |
                    std::uint32_t{raw[4 * i + 2]} << 8 | raw[4 * i + 3];
  }
  return img;
}

bool WritePng(const std::string& path, const RgbaImage& image, Diagnostics& diag) {
  std::vector<std::uint8_t> raw(image.pixels.size() * 4);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint32_t p = image.pixels[i];
    raw[4 * i] = static_cast<std::uint8_t>(p >> 24);
    raw[4 * i + 1] = static_cast<std::uint8_t>(p >> 16);
    raw[4 * i + 2] = static_cast<std::uint8_t>(p >> 8);
    raw[4 * i + 3] = static_cast<std::uint8_t>(p);
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path.c_str(), 0, raw.data(), 0, nullptr)) {
    diag.Error({path, 0, 0}, std::string("cannot write PNG: ") + png.message);
    return false;
  }
  return true;
}

}  // namespace datlib
