#include "platform/gdi/png.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "codec/bytes.h"

namespace plat {

// libpng's simplified interface keeps its error jumps inside libpng, so no
// longjmp ever crosses these C++ frames; failures come back as messages.

namespace {

bool Fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

// The width in the header chunk: after the 8-byte signature, the chunk's
// length and type.
constexpr std::size_t kPngWidthOffset = 16;

}  // namespace

bool EncodePng(const Image& image, std::vector<std::uint8_t>& out, std::string* error) {
  out.clear();
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) {
    return Fail(error, "picture size is empty or does not match its pixels");
  }
  std::vector<std::uint8_t> rgb(image.pixels.size() * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    codec::StoreBe(&rgb[3 * i], image.pixels[i], 3);  // red, green, blue
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
    return Fail(error, std::string("PNG encoding failed: ") + png.message);
  }
  out.resize(size);
  if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgb.data(), 0, nullptr)) {
    out.clear();
    return Fail(error, std::string("PNG encoding failed: ") + png.message);
  }
  out.resize(size);
  return true;
}

bool WritePngFile(const std::string& path, const Image& image, std::string* error) {
  std::vector<std::uint8_t> bytes;
  if (!EncodePng(image, bytes, error)) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file.flush()) return Fail(error, "cannot write " + path);
  return true;
}

bool PngSize(std::span<const std::uint8_t> data, int* width, int* height) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) return false;
  const bool fits = png.width <= 0x7FFFFFFF && png.height <= 0x7FFFFFFF;
  *width = fits ? int(png.width) : 0x7FFFFFFF;
  *height = fits ? int(png.height) : 0x7FFFFFFF;
  png_image_free(&png);
  return true;
}

codec::Result<Image> DecodePng(std::span<const std::uint8_t> data,
                               std::vector<std::uint8_t>* alpha) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) {
    return codec::ErrorAt(0, std::string("not a readable PNG: ") + png.message);
  }
  if (png.width == 0 || png.height == 0 || png.width > 32768 || png.height > 32768 ||
      std::uint64_t(png.width) * png.height > (std::uint64_t(1) << 26)) {
    png_image_free(&png);
    return codec::ErrorAt(kPngWidthOffset, "PNG picture is empty or too large");
  }
  // Bytes blue, green, red, alpha: the little-endian word 0xAARRGGBB.
  png.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> pixels(std::size_t(png.width) * png.height);
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    // libpng does not say where in the data it failed.
    return codec::Error{std::nullopt, std::string("PNG decoding failed: ") + png.message};
  }
  if (alpha) alpha->resize(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint8_t* p = reinterpret_cast<const std::uint8_t*>(&pixels[i]);
    if (alpha) (*alpha)[i] = p[3];
    pixels[i] = codec::LoadLe<std::uint32_t>(p, 3);  // blue, green, red
  }
  Image out;
  out.width = int(png.width);
  out.height = int(png.height);
  out.pixels = std::move(pixels);
  return out;
}

codec::Result<Image> ReadPngFile(const std::string& path, std::vector<std::uint8_t>* alpha) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return codec::Error{std::nullopt, "cannot open the file", path};
  const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                       std::istreambuf_iterator<char>());
  if (file.bad()) return codec::Error{std::nullopt, "cannot read the file", path};
  codec::Result<Image> image = DecodePng(data, alpha);
  if (!image) return codec::Error{image.error().offset, image.error().message, path};
  return image;
}

}  // namespace plat
