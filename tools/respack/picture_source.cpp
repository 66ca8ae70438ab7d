#include "tools/respack/picture_source.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "format/package/package_format.h"
#include "codec/bytes.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "tools/respack/pixel_art.h"

namespace respack {
namespace {

constexpr std::uint32_t kMagentaKey = 0xFF00FF;

enum class Format { kBmp, kPng, kArt, kUnknown };

Format FormatOf(const std::string& path) {
  const auto dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "bmp") return Format::kBmp;
  if (ext == "png") return Format::kPng;
  if (ext == "txt") return Format::kArt;
  return Format::kUnknown;
}

// BMP has no transparency but the magenta key, so mostly transparent PNG
// pixels become magenta.
void KeyOutTransparency(plat::Image& image, const std::vector<std::uint8_t>& alpha) {
  if (alpha.size() != image.pixels.size()) return;
  for (std::size_t i = 0; i < alpha.size(); ++i) {
    if (alpha[i] < 128) image.pixels[i] = kMagentaKey;
  }
}

// Keeps a decoded picture, or says why there is none.
bool Take(codec::Result<plat::Image> decoded, plat::Image& image, std::string& why) {
  if (!decoded) {
    why = decoded.error().Text();
    return false;
  }
  image = std::move(*decoded);
  return true;
}

// Decodes any supported picture; for pixel art also gives its depth and palette.
bool Decode(const std::string& path, plat::Image& image, PixelArt* art, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileBytes(path, bytes, error)) return false;
  std::string why;
  switch (FormatOf(path)) {
    case Format::kBmp:
      if (Take(plat::DecodeBmp(bytes), image, why)) return true;
      break;
    case Format::kPng: {
      std::vector<std::uint8_t> alpha;
      if (!Take(plat::DecodePng(bytes, &alpha), image, why)) break;
      KeyOutTransparency(image, alpha);
      return true;
    }
    case Format::kArt: {
      PixelArt parsed;
      codec::Diagnostics diag;
      if (!ParsePixelArt(std::string(bytes.begin(), bytes.end()), path, parsed, diag)) {
        error = diag.Text();
        error.pop_back();  // the last line's end
        return false;
      }
      image = parsed.image;
      if (art) *art = std::move(parsed);
      return true;
    }
    case Format::kUnknown:
      why = "not a picture respack reads (.bmp, .png or pixel art .txt)";
      break;
  }
  error = path + ": " + why;
  return false;
}

// Readers of a package find a picture's end by the size in its file header, so
// that size must be right. Some writers leave it 0; the copy gets the true size.
bool CheckPackable(const std::string& path, std::vector<std::uint8_t>& bmp, std::string& error) {
  if (bmp.size() >= pkgfmt::kBmpFileHeaderSize && bmp.size() <= 0xFFFFFFFFu) {
    codec::StoreLe(bmp.data() + 2, std::uint32_t(bmp.size()));
  }
  const codec::Result<pkgfmt::BmpSummary> summary = pkgfmt::SummarizeBmp(bmp);
  if (!summary) error = path + ": " + summary.error().Text();
  return summary.has_value();
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
  return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool LoadPictureImage(const std::string& path, plat::Image& image, std::string& error) {
  return Decode(path, image, nullptr, error);
}

bool LoadPictureAsBmp(const std::string& path, std::optional<int> depth, std::vector<std::uint8_t>& bmp,
                      std::string& error) {
  plat::Image image;
  PixelArt art;
  if (!Decode(path, image, &art, error)) return false;
  if (FormatOf(path) == Format::kBmp && !depth) {
    return ReadFileBytes(path, bmp, error) && CheckPackable(path, bmp, error);
  }

  plat::BmpWriteOptions options;
  const bool isArt = FormatOf(path) == Format::kArt;
  options.bitsPerPixel = depth.value_or(isArt ? art.bitsPerPixel : 24);
  // Pixel art keeps its declared colour order as the colour table.
  if (isArt && options.bitsPerPixel <= 8) options.palette = art.palette;
  std::string why;
  if (!plat::EncodeBmp(image, options, bmp, &why)) {
    error = path + ": " + why;
    return false;
  }
  return CheckPackable(path, bmp, error);
}

}  // namespace respack
