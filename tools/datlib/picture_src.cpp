#include "tools/datlib/picture_src.h"

#include <array>

#include "codec/hex.h"
#include "tools/datlib/picture_png.h"
#include "tools/datlib/picture_src_text.h"

namespace datlib {
namespace {

using rpgfmt::Picture;

constexpr int kNoPixel = -1;

struct Legend {
  std::array<int, 256> value;
  Legend() { value.fill(kNoPixel); }
};

Legend DefaultLegend() {
  Legend l;
  l.value['#'] = rpgfmt::kPixBlack;
  l.value['.'] = rpgfmt::kPixWhite;
  l.value['_'] = rpgfmt::kPixClear;
  return l;
}

constexpr std::array<const char*, 4> kPixelNames{"white", "black", "clear", "clear-alt"};

int PixelByName(std::string_view name) {
  for (std::size_t i = 0; i < kPixelNames.size(); ++i) {
    if (name == kPixelNames[i]) return static_cast<int>(i);
  }
  return kNoPixel;
}

SourcePos At(const SourcePos& base, int colOffset) {
  return {base.file, base.line, base.col + colOffset - 1};
}

// "c=name c=name ...": each c one printable, non-space ASCII character.
bool ParseLegend(std::string_view value, const SourcePos& pos, Diagnostics& diag, Legend& out) {
  Legend l;
  bool ok = true;
  for (const Word& w : SplitWords(value)) {
    const SourcePos wpos = At(pos, w.col);
    const int pix = w.text.size() >= 3 && w.text[1] == '=' ? PixelByName(w.text.substr(2)) : kNoPixel;
    const unsigned char c = static_cast<unsigned char>(w.text[0]);
    if (pix == kNoPixel || c < 0x21 || c > 0x7E) {
      diag.Error(wpos, "legend entry \"" + std::string(w.text) +
                           "\" is not CHAR=black, white, clear or clear-alt");
      ok = false;
    } else if (l.value[c] != kNoPixel) {
      diag.Error(wpos, std::string("legend names '") + static_cast<char>(c) + "' twice");
      ok = false;
    } else {
      l.value[c] = pix;
    }
  }
  if (ok) out = l;
  return ok;
}

bool ParseSize(std::string_view value, const SourcePos& pos, Diagnostics& diag, int& w, int& h) {
  const std::size_t x = value.find('x');
  if (x == std::string_view::npos) {
    diag.Error(pos, "size \"" + std::string(value) + "\" is not WIDTHxHEIGHT");
    return false;
  }
  return ParseNumber(value.substr(0, x), 1, rpgfmt::kPicMaxSide, pos, diag, w) &&
         ParseNumber(value.substr(x + 1), 1, rpgfmt::kPicMaxSide, At(pos, static_cast<int>(x) + 2),
                     diag, h);
}

int PixelOfRgba(std::uint32_t rgba) {
  if ((rgba & 0xFF) == 0) return rpgfmt::kPixClear;
  switch (rgba) {
    case kRgbaBlack: return rpgfmt::kPixBlack;
    case kRgbaWhite: return rpgfmt::kPixWhite;
    case kRgbaMagenta: return rpgfmt::kPixClear;
    default: return kNoPixel;
  }
}

std::string HexColour(std::uint32_t rgba) { return "#" + codec::HexNumber(rgba, 8); }

// Converts the w x h cell at (x0, y0) of a PNG into pixel values.
bool CellFromPng(const RgbaImage& img, int x0, int y0, int w, int h, const std::string& file,
                 Diagnostics& diag, std::vector<std::uint8_t>& out) {
  out.assign(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t rgba = img.At(x0 + x, y0 + y);
      const int pix = PixelOfRgba(rgba);
      if (pix == kNoPixel) {
        diag.Error({file, 0, 0}, "pixel (" + std::to_string(x0 + x) + ", " +
                                     std::to_string(y0 + y) + ") is " + HexColour(rgba) +
                                     "; only black, white and magenta (transparent) are allowed");
        return false;
      }
      out[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(pix);
    }
  }
  return true;
}

bool HasClear(const Picture& pic) {
  for (const auto& f : pic.frames) {
    for (std::uint8_t v : f) {
      if (v >= rpgfmt::kPixClear) return true;
    }
  }
  return false;
}

class TextParser {
 public:
  TextParser(std::string_view text, const std::string& file, Diagnostics& diag)
      : lines_(SplitLines(text)), file_(file), diag_(diag), legend_(DefaultLegend()) {}

  std::optional<PictureSource> Run() {
    const std::size_t errorsBefore = diag_.ErrorCount();
    while (next_ < lines_.size()) {
      const TextLine& line = lines_[next_++];
      Statement(line);
    }
    Finish();
    if (diag_.ErrorCount() != errorsBefore) return std::nullopt;
    return std::move(out_);
  }

 private:
  SourcePos Pos(const TextLine& line, int col) const { return {file_, line.number, col}; }

  void Statement(const TextLine& line) {
    const std::string_view t = TrimText(line.text);
    if (t.empty() || t[0] == '#') return;
    if (t.starts_with("frame ") || t == "frame") return Frame(line, t);
    const std::size_t colon = t.find(':');
    if (colon == std::string_view::npos) {
      diag_.Error(Pos(line, 1), "expected \"name: value\" or \"frame N\"");
      return;
    }
    std::size_t start = line.text.find(':') + 1;
    while (start < line.text.size() && (line.text[start] == ' ' || line.text[start] == '\t')) {
      ++start;
    }
    Field(std::string(TrimText(t.substr(0, colon))), TrimText(t.substr(colon + 1)),
          Pos(line, static_cast<int>(start) + 1));
  }

  void Field(const std::string& name, std::string_view value, const SourcePos& pos) {
    if (!out_.picture.frames.empty()) {
      diag_.Error(pos, "\"" + name + ":\" must come before the first frame");
      return;
    }
    Picture& pic = out_.picture;
    if (name == "size") {
      sizeGiven_ = ParseSize(value, pos, diag_, pic.width, pic.height);
      sizePos_ = pos;
    } else if (name == "depth") {
      ParseNumber(value, 1, 2, pos, diag_, pic.depth);
    } else if (name == "legend") {
      ParseLegend(value, pos, diag_, legend_);
    } else if (name == "head") {
      HeadField(value, pos);
    } else if (name == "image") {
      image_ = std::string(value);
      imagePos_ = pos;
    } else if (name == "frames") {
      ParseNumber(value, 1, rpgfmt::kPicMaxFrames, pos, diag_, framesWanted_);
    } else {
      out_.extra.push_back({name, std::string(value), pos});
    }
  }

  void HeadField(std::string_view value, const SourcePos& pos) {
    const std::vector<Word> words = SplitWords(value);
    if (words.size() != 2) {
      diag_.Error(pos, "head takes two byte values");
      return;
    }
    int a = 0;
    int b = 0;
    if (ParseNumber(words[0].text, 0, 255, At(pos, words[0].col), diag_, a) &&
        ParseNumber(words[1].text, 0, 255, At(pos, words[1].col), diag_, b)) {
      out_.picture.head = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
      out_.headGiven = true;
    }
  }

  void Frame(const TextLine& line, std::string_view t) {
    Picture& pic = out_.picture;
    int number = -1;
    const SourcePos pos = Pos(line, static_cast<int>(line.text.find("frame")) + 7);
    if (!ParseNumber(TrimText(t.substr(5)), 0, rpgfmt::kPicMaxFrames - 1, pos, diag_, number)) {
      return SkipRows();
    }
    if (!sizeGiven_) {
      diag_.Error(pos, "frame before \"size:\"");
      return SkipRows();
    }
    if (static_cast<std::size_t>(number) != pic.frames.size()) {
      diag_.Error(pos, "frame " + std::to_string(number) + " where frame " +
                           std::to_string(pic.frames.size()) + " was expected");
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(pic.width) * pic.height);
    for (int y = 0; y < pic.height; ++y) {
      if (next_ >= lines_.size() || TrimText(lines_[next_].text).empty()) {
        diag_.Error(Pos(line, 1), "frame " + std::to_string(number) + " has " +
                                      std::to_string(y) + " rows instead of " +
                                      std::to_string(pic.height));
        break;
      }
      Row(lines_[next_++], &pixels[static_cast<std::size_t>(y) * pic.width]);
    }
    pic.frames.push_back(std::move(pixels));
  }

  // After a bad frame line its rows would read as header lines; skip them.
  void SkipRows() {
    while (next_ < lines_.size() && !TrimText(lines_[next_].text).empty() &&
           !lines_[next_].text.starts_with("frame")) {
      ++next_;
    }
  }

  void Row(const TextLine& line, std::uint8_t* out) {
    const Picture& pic = out_.picture;
    const std::string_view row = line.text;
    if (row.size() != static_cast<std::size_t>(pic.width)) {
      const int col = static_cast<int>(std::min(row.size(), static_cast<std::size_t>(pic.width))) + 1;
      diag_.Error(Pos(line, col), "row has " + std::to_string(row.size()) +
                                      " characters instead of " + std::to_string(pic.width));
      return;
    }
    for (int x = 0; x < pic.width; ++x) {
      const unsigned char c = static_cast<unsigned char>(row[static_cast<std::size_t>(x)]);
      const int pix = legend_.value[c];
      if (pix == kNoPixel) {
        diag_.Error(Pos(line, x + 1), std::string("'") + static_cast<char>(c) +
                                          "' is not in the legend");
        return;
      }
      if (pix >= rpgfmt::kPixClear && pic.depth == 1) {
        diag_.Error(Pos(line, x + 1), "transparent pixel in a depth-1 picture");
        return;
      }
      out[x] = static_cast<std::uint8_t>(pix);
    }
  }

  void Finish() {
    Picture& pic = out_.picture;
    if (!sizeGiven_) {
      diag_.Error({file_, 0, 0}, "no \"size:\" given");
      return;
    }
    if (!image_.empty()) return FramesFromImage();
    if (framesWanted_ > 0) diag_.Error({file_, 0, 0}, "\"frames:\" only goes with \"image:\"");
    if (pic.frames.empty()) diag_.Error(sizePos_, "picture has no frames");
  }

  void FramesFromImage() {
    Picture& pic = out_.picture;
    if (!pic.frames.empty()) {
      diag_.Error(imagePos_, "frames given both as art and by \"image:\"");
      return;
    }
    const std::string path = SiblingPath(file_, image_);
    const std::optional<RgbaImage> img = ReadPng(path, diag_);
    if (!img) return;
    if (img->width % pic.width != 0 || img->height % pic.height != 0) {
      diag_.Error(imagePos_, "image of " + std::to_string(img->width) + "x" +
                                 std::to_string(img->height) + " is not a grid of " +
                                 std::to_string(pic.width) + "x" + std::to_string(pic.height) +
                                 " cells");
      return;
    }
    const int across = img->width / pic.width;
    const int cells = across * (img->height / pic.height);
    const int count = framesWanted_ > 0 ? framesWanted_ : cells;
    if (count > cells || count > rpgfmt::kPicMaxFrames) {
      diag_.Error(imagePos_, "image holds " + std::to_string(cells) + " cells, " +
                                 std::to_string(count) + " frames wanted (at most 255)");
      return;
    }
    for (int i = 0; i < count; ++i) {
      std::vector<std::uint8_t> pixels;
      if (!CellFromPng(*img, (i % across) * pic.width, (i / across) * pic.height, pic.width,
                       pic.height, path, diag_, pixels)) {
        return;
      }
      pic.frames.push_back(std::move(pixels));
    }
    if (pic.depth == 1 && HasClear(pic)) {
      diag_.Error(imagePos_, "transparent pixels in a depth-1 picture");
    }
  }

  std::vector<TextLine> lines_;
  std::size_t next_ = 0;
  std::string file_;
  Diagnostics& diag_;
  Legend legend_;
  PictureSource out_;
  bool sizeGiven_ = false;
  SourcePos sizePos_;
  std::string image_;
  SourcePos imagePos_;
  int framesWanted_ = 0;
};

std::optional<PictureSource> LoadBarePng(const std::string& path, Diagnostics& diag) {
  const std::optional<RgbaImage> img = ReadPng(path, diag);
  if (!img) return std::nullopt;
  if (img->width > rpgfmt::kPicMaxSide || img->height > rpgfmt::kPicMaxSide) {
    diag.Error({path, 0, 0}, "a picture is at most 255x255 pixels; give a text source with "
                             "\"size:\" and \"image:\" to cut frames from a larger image");
    return std::nullopt;
  }
  PictureSource src;
  Picture& pic = src.picture;
  pic.width = img->width;
  pic.height = img->height;
  pic.frames.emplace_back();
  if (!CellFromPng(*img, 0, 0, pic.width, pic.height, path, diag, pic.frames[0])) {
    return std::nullopt;
  }
  pic.depth = HasClear(pic) ? 2 : 1;
  return src;
}

}  // namespace

std::optional<PictureSource> ParsePictureText(std::string_view text, const std::string& file,
                                              Diagnostics& diag) {
  return TextParser(text, file, diag).Run();
}

std::optional<PictureSource> LoadPictureSource(const std::string& path, Diagnostics& diag) {
  if (path.ends_with(".png") || path.ends_with(".PNG")) return LoadBarePng(path, diag);
  std::string text;
  if (!ReadTextFile(path, diag, text)) return std::nullopt;
  return ParsePictureText(text, path, diag);
}

}  // namespace datlib
