#include "tools/respack/pixel_art.h"

#include <array>
#include <optional>
#include <sstream>

namespace respack {
namespace {

constexpr int kMaxSide = 4096;

struct ArtError {
  std::string message;
};

int SideOf(const std::string& s, const char* what) {
  if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos) {
    throw ArtError{std::string(what) + " '" + s + "' is not a number"};
  }
  const int v = std::stoi(s);
  if (v < 1 || v > kMaxSide) throw ArtError{std::string(what) + " must be 1 to " + std::to_string(kMaxSide)};
  return v;
}

std::uint32_t ColourOf(const std::string& s) {
  if (s.size() != 6 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    throw ArtError{"colour '" + s + "' is not six hex digits RRGGBB"};
  }
  return std::uint32_t(std::stoul(s, nullptr, 16));
}

class ArtParser {
 public:
  explicit ArtParser(PixelArt& out) : out_(out) {}

  void Line(const std::string& raw) {
    if (inPixels_) {
      Row(raw);
      return;
    }
    std::istringstream in(raw);
    std::vector<std::string> w;
    for (std::string word; in >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') return;
    if (w[0] == "size" && w.size() == 3) {
      out_.image.width = SideOf(w[1], "width");
      out_.image.height = SideOf(w[2], "height");
    } else if (w[0] == "depth" && w.size() == 2) {
      if (w[1] != "1" && w[1] != "4" && w[1] != "8" && w[1] != "24") throw ArtError{"depth is 1, 4, 8 or 24"};
      out_.bitsPerPixel = std::stoi(w[1]);
    } else if (w[0] == "color" && w.size() == 3) {
      if (w[1].size() != 1) throw ArtError{"a colour is named by one character, not '" + w[1] + "'"};
      auto& slot = colours_[std::uint8_t(w[1][0])];
      if (slot) throw ArtError{"colour '" + w[1] + "' is defined twice"};
      slot = ColourOf(w[2]);
      out_.palette.push_back(*slot);
    } else if (w[0] == "pixels" && w.size() == 1) {
      if (out_.image.width == 0) throw ArtError{"'pixels' before 'size'"};
      if (out_.bitsPerPixel < 24 && out_.palette.size() > (1u << out_.bitsPerPixel)) {
        throw ArtError{std::to_string(out_.palette.size()) + " colours do not fit depth " +
                       std::to_string(out_.bitsPerPixel)};
      }
      out_.image.pixels.reserve(std::size_t(out_.image.width) * out_.image.height);
      inPixels_ = true;
    } else {
      throw ArtError{"expected 'size W H', 'depth N', 'color C RRGGBB' or 'pixels', not '" + raw + "'"};
    }
  }

  void Finish() const {
    if (!inPixels_) throw ArtError{"no 'pixels' section"};
    if (rows_ != out_.image.height) {
      throw ArtError{std::to_string(rows_) + " rows of pixels, expected " + std::to_string(out_.image.height)};
    }
  }

 private:
  void Row(std::string row) {
    while (!row.empty() && (row.back() == '\r' || row.back() == ' ')) row.pop_back();
    if (row.empty()) return;
    if (rows_ == out_.image.height) throw ArtError{"more rows than the height " + std::to_string(rows_)};
    if (int(row.size()) != out_.image.width) {
      throw ArtError{"row is " + std::to_string(row.size()) + " characters wide, expected " +
                     std::to_string(out_.image.width)};
    }
    for (std::size_t x = 0; x < row.size(); ++x) {
      const auto& colour = colours_[std::uint8_t(row[x])];
      if (!colour) throw ArtError{"column " + std::to_string(x + 1) + ": no colour for '" + row[x] + "'"};
      out_.image.pixels.push_back(*colour);
    }
    ++rows_;
  }

  PixelArt& out_;
  std::array<std::optional<std::uint32_t>, 256> colours_{};
  bool inPixels_ = false;
  int rows_ = 0;
};

}  // namespace

bool ParsePixelArt(const std::string& text, const std::string& name, PixelArt& out, std::string& error) {
  out = PixelArt{};
  ArtParser parser(out);
  std::istringstream in(text);
  int number = 0;
  try {
    for (std::string line; std::getline(in, line);) {
      ++number;
      parser.Line(line);
    }
    parser.Finish();
  } catch (const ArtError& e) {
    error = name + (number > 0 ? ":" + std::to_string(number) : "") + ": " + e.message;
    out = PixelArt{};
    return false;
  }
  return true;
}

}  // namespace respack
