#include "tools/respack/pixel_art.h"

#include <array>
#include <optional>
#include <sstream>

#include "codec/bytes.h"
#include "codec/hex.h"

namespace respack {
namespace {

constexpr int kMaxSide = 4096;

using codec::Word;

class ArtParser {
 public:
  ArtParser(PixelArt& out, const std::string& name, codec::Diagnostics& diag)
      : out_(out), name_(name), diag_(diag) {}

  bool Line(int number, const std::string& raw) {
    line_ = number;
    if (inPixels_) return Row(raw);
    const std::vector<Word> w = codec::SplitWords(raw);
    if (w.empty() || w[0].text[0] == '#') return true;
    const std::string& key = w[0].text;
    if (key == "size" && w.size() == 3) {
      return SideOf(w[1], "width", out_.image.width) && SideOf(w[2], "height", out_.image.height);
    }
    if (key == "depth" && w.size() == 2) {
      const std::string& d = w[1].text;
      if (d != "1" && d != "4" && d != "8" && d != "24") return Fail(w[1].col, "depth is 1, 4, 8 or 24");
      out_.bitsPerPixel = std::stoi(d);
      return true;
    }
    if (key == "color" && w.size() == 3) return Colour(w[1], w[2]);
    if (key == "pixels" && w.size() == 1) return Pixels(w[0]);
    return Fail(w[0].col, "expected 'size W H', 'depth N', 'color C RRGGBB' or 'pixels', not '" + raw + "'");
  }

  bool Finish() {
    if (!inPixels_) return Fail(0, "no 'pixels' section");
    if (rows_ != out_.image.height) {
      return Fail(0, std::to_string(rows_) + " rows of pixels, expected " + std::to_string(out_.image.height));
    }
    return true;
  }

 private:
  bool Fail(int col, std::string message) {
    diag_.Error({name_, line_, col}, std::move(message));
    return false;
  }

  bool SideOf(const Word& w, const char* what, int& out) {
    const std::string& s = w.text;
    if (s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos) {
      return Fail(w.col, std::string(what) + " '" + s + "' is not a number");
    }
    out = std::stoi(s);
    if (out < 1 || out > kMaxSide) return Fail(w.col, std::string(what) + " must be 1 to " + std::to_string(kMaxSide));
    return true;
  }

  bool Colour(const Word& name, const Word& value) {
    if (name.text.size() != 1) return Fail(name.col, "a colour is named by one character, not '" + name.text + "'");
    auto& slot = colours_[std::uint8_t(name.text[0])];
    if (slot) return Fail(name.col, "colour '" + name.text + "' is defined twice");
    const auto rgb = value.text.size() == 6 ? codec::HexDecode(value.text) : std::nullopt;
    if (!rgb) return Fail(value.col, "colour '" + value.text + "' is not six hex digits RRGGBB");
    slot = codec::LoadBe<std::uint32_t>(rgb->data(), 3);
    out_.palette.push_back(*slot);
    return true;
  }

  bool Pixels(const Word& w) {
    if (out_.image.width == 0) return Fail(w.col, "'pixels' before 'size'");
    if (out_.bitsPerPixel < 24 && out_.palette.size() > (1u << out_.bitsPerPixel)) {
      return Fail(w.col, std::to_string(out_.palette.size()) + " colours do not fit depth " +
                             std::to_string(out_.bitsPerPixel));
    }
    out_.image.pixels.reserve(std::size_t(out_.image.width) * out_.image.height);
    inPixels_ = true;
    return true;
  }

  bool Row(std::string row) {
    while (!row.empty() && (row.back() == '\r' || row.back() == ' ')) row.pop_back();
    if (row.empty()) return true;
    if (rows_ == out_.image.height) return Fail(0, "more rows than the height " + std::to_string(rows_));
    if (int(row.size()) != out_.image.width) {
      return Fail(0, "row is " + std::to_string(row.size()) + " characters wide, expected " +
                         std::to_string(out_.image.width));
    }
    for (std::size_t x = 0; x < row.size(); ++x) {
      const auto& colour = colours_[std::uint8_t(row[x])];
      if (!colour) return Fail(int(x) + 1, std::string("no colour for '") + row[x] + "'");
      out_.image.pixels.push_back(*colour);
    }
    ++rows_;
    return true;
  }

  PixelArt& out_;
  const std::string& name_;
  codec::Diagnostics& diag_;
  int line_ = 0;
  std::array<std::optional<std::uint32_t>, 256> colours_{};
  bool inPixels_ = false;
  int rows_ = 0;
};

}  // namespace

bool ParsePixelArt(const std::string& text, const std::string& name, PixelArt& out,
                   codec::Diagnostics& diag) {
  out = PixelArt{};
  ArtParser parser(out, name, diag);
  std::istringstream in(text);
  int number = 0;
  bool ok = true;
  for (std::string line; ok && std::getline(in, line);) ok = parser.Line(++number, line);
  if (ok && parser.Finish()) return true;
  out = PixelArt{};
  return false;
}

}  // namespace respack
