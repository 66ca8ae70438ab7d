#include "tools/datlib/picture_png.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/gdi/png.h"

namespace datlib {
namespace {

// No picture source needs more.
constexpr int kMaxSide = 4096;

std::optional<std::vector<std::uint8_t>> ReadBytes(const std::string& path, Diagnostics& diag) {
  // A named pipe or device would block or never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    diag.Error({path, 0, 0}, "no such PNG file");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diag.Error({path, 0, 0}, "cannot open the PNG file");
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::optional<RgbaImage> ReadPng(const std::string& path, Diagnostics& diag) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadBytes(path, diag);
  if (!bytes) return std::nullopt;
  // Refused from the header, before any pixel memory is taken.
  int width = 0;
  int height = 0;
  if (plat::PngSize(*bytes, &width, &height) && (width > kMaxSide || height > kMaxSide)) {
    const std::string limit = std::to_string(kMaxSide);
    diag.Error({path, 0, 0}, "PNG of " + std::to_string(width) + "x" + std::to_string(height) +
                                 " pixels is larger than " + limit + "x" + limit);
    return std::nullopt;
  }
  std::vector<std::uint8_t> alpha;
  const auto decoded = plat::DecodePng(*bytes, &alpha);
  if (!decoded) {
    diag.Error({path, 0, 0}, decoded.error().Text());
    return std::nullopt;
  }
  const plat::Image& image = *decoded;
  RgbaImage img;
  img.width = image.width;
  img.height = image.height;
  img.pixels.resize(image.pixels.size());
  for (std::size_t i = 0; i < img.pixels.size(); ++i) {
    img.pixels[i] = (image.pixels[i] & 0xFFFFFF) << 8 | alpha[i];
  }
  return img;
}

bool WritePng(const std::string& path, const RgbaImage& image, Diagnostics& diag) {
  plat::Image out;
  out.width = image.width;
  out.height = image.height;
  out.pixels.resize(image.pixels.size());
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    if ((image.pixels[i] & 0xFF) != 0xFF) {
      diag.Error({path, 0, 0}, "cannot write a PNG with transparent pixels");
      return false;
    }
    out.pixels[i] = image.pixels[i] >> 8;
  }
  std::string error;
  if (!plat::WritePngFile(path, out, &error)) {
    diag.Error({path, 0, 0}, error);
    return false;
  }
  return true;
}

}  // namespace datlib
