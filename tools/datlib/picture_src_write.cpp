// Picture sources written back from pictures, for dumping a library.
#include <sstream>

#include "tools/datlib/picture_src.h"

namespace datlib {
namespace {

// Characters the writer uses, indexed by pixel value.
constexpr std::array<char, 4> kArt{'.', '#', '_', '*'};

bool Uses(const rpgfmt::Picture& pic, std::uint8_t value) {
  for (const auto& f : pic.frames) {
    for (std::uint8_t v : f) {
      if (v == value) return true;
    }
  }
  return false;
}

void WriteLegend(std::ostream& out, const rpgfmt::Picture& pic) {
  out << "legend: #=black .=white";
  if (pic.depth == 2) out << " _=clear";
  if (Uses(pic, rpgfmt::kPixClearAlt)) out << " *=clear-alt";
  out << "\n";
}

}  // namespace

std::string WritePictureText(const rpgfmt::Picture& pic, const PictureTextOptions& options) {
  std::ostringstream out;
  std::istringstream comment(options.comment);
  for (std::string line; std::getline(comment, line);) out << "# " << line << "\n";
  out << "size: " << pic.width << "x" << pic.height << "\n";
  out << "depth: " << pic.depth << "\n";
  WriteLegend(out, pic);
  if (pic.head != options.defaultHead) {
    out << "head: " << int{pic.head[0]} << " " << int{pic.head[1]} << "\n";
  }
  out << options.extraHeader;
  for (std::size_t f = 0; f < pic.frames.size(); ++f) {
    out << "\nframe " << f << "\n";
    for (int y = 0; y < pic.height; ++y) {
      for (int x = 0; x < pic.width; ++x) {
        out << kArt[pic.frames[f][static_cast<std::size_t>(y) * pic.width + x] & 3];
      }
      out << "\n";
    }
  }
  return out.str();
}

std::optional<std::string> PictureBytesToText(std::span<const std::uint8_t> bytes,
                                              rpgfmt::ResKey key, const SourcePos& origin,
                                              Diagnostics& diag) {
  const auto read = rpgfmt::DecodePicture(bytes);
  if (!read) {
    diag.Error(origin, read.error().Text());
    return std::nullopt;
  }
  if (!read->paddingClean) {
    diag.Warning(origin, "padding bits past the picture's width are set; they are not kept");
  }
  PictureTextOptions options;
  options.defaultHead = {key.id1, key.id2};
  return WritePictureText(read->picture, options);
}

}  // namespace datlib
