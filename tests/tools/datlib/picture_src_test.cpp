#include "tools/datlib/picture_src.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/scratch.h"
#include "tools/datlib/picture_png.h"

namespace datlib {
namespace {

using testsupport::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

constexpr rpgfmt::ResKey kFace{11, 1, 3};

std::string FirstError(const Diagnostics& diag) {
  for (const Diagnostic& d : diag.Items()) {
    if (d.severity == Severity::kError) return Diagnostics::Format(d);
  }
  return "";
}

std::optional<PictureSource> Parse(const std::string& text, Diagnostics& diag) {
  return ParsePictureText(text, "pic.txt", diag);
}

const char* kTwoFrames =
    "# a blinking eye\n"
    "size: 12x2\n"
    "depth: 2\n"
    "legend: X=black o=white -=clear\n"
    "\n"
    "frame 0\n"
    "Xo-XXXXXoooX\n"
    "------------\n"
    "frame 1\n"
    "oooooooooooo\n"
    "X-----------\n";

TEST(PictureText, ArtWithLegendEncodesEachFrameRowByRow) {
  Diagnostics diag;
  std::optional<PictureSource> src = Parse(kTwoFrames, diag);
  ASSERT_TRUE(src) << FirstError(diag);
  EXPECT_FALSE(src->headGiven);
  src->picture.head = {kFace.id1, kFace.id2};
  const Bytes bytes = rpgfmt::EncodePicture(src->picture);
  const Bytes expected{1, 3, 12, 2, 2, 2,
                       0x49, 0x55, 0x01, 0x00, 0xAA, 0xAA, 0xAA, 0x00,   // frame 0
                       0x00, 0x00, 0x00, 0x00, 0x6A, 0xAA, 0xAA, 0x00};  // frame 1
  EXPECT_EQ(bytes, expected);
}

TEST(PictureText, ErrorsNameLineAndColumn) {
  struct Case {
    std::string text;
    std::string error;
  };
  const std::vector<Case> cases{
      {"size: 4x1\nframe 0\n#.x.\n", "pic.txt:3:3: error: 'x' is not in the legend"},
      {"size: 4x2\nframe 0\n#.#.\n#.#\n", "pic.txt:4:4: error: row has 3 characters instead of 4"},
      {"size: 4x1\nframe 0\n#._.\n", "pic.txt:3:3: error: transparent pixel in a depth-1 picture"},
      {"size: 256x1\n", "pic.txt:1:7: error: 256 is outside 1 .. 255"},
      {"size: 4x300\n", "pic.txt:1:9: error: 300 is outside 1 .. 255"},
      {"size: 4x2\nframe 0\n####\n\nframe 1\n", "pic.txt:2:1: error: frame 0 has 1 rows instead of 2"},
      {"size: 1x1\nframe 1\n#\n", "pic.txt:2:7: error: frame 1 where frame 0 was expected"},
      {"size: 1x1\nlegend: #=black #=white\n", "pic.txt:2:17: error: legend names '#' twice"},
      {"size: 1x1\nlegend: #=grey\n", "pic.txt:2:9: error: legend entry \"#=grey\" is not CHAR=black, white, clear or clear-alt"},
      {"size: 1x1\ndepth: 3\n", "pic.txt:2:8: error: 3 is outside 1 .. 2"},
      {"frame 0\n#\n", "pic.txt:1:7: error: frame before \"size:\""},
      {"size: 2x1\n", "pic.txt:1:7: error: picture has no frames"},
      {"size: 1x1\nframe 0\n#\ndepth: 2\n", "pic.txt:4:8: error: \"depth:\" must come before the first frame"},
  };
  for (const Case& c : cases) {
    Diagnostics diag;
    EXPECT_FALSE(Parse(c.text, diag)) << c.text;
    EXPECT_EQ(FirstError(diag), c.error) << c.text;
  }
}

TEST(PictureText, WriterOutputParsesBackToTheSamePicture) {
  rpgfmt::Picture pic;
  pic.head = {200, 3};
  pic.width = 7;
  pic.height = 3;
  pic.depth = 2;
  for (int f = 0; f < 2; ++f) {
    std::vector<std::uint8_t> px(21);
    for (std::size_t i = 0; i < px.size(); ++i) px[i] = static_cast<std::uint8_t>((i * 7 + f) % 4);
    pic.frames.push_back(px);
  }
  const std::string text = WritePictureText(pic, {{200, 4}, "line one\nline two", ""});
  Diagnostics diag;
  const std::optional<PictureSource> back = Parse(text, diag);
  ASSERT_TRUE(back) << FirstError(diag) << "\n" << text;
  EXPECT_TRUE(back->headGiven);
  EXPECT_EQ(rpgfmt::EncodePicture(back->picture), rpgfmt::EncodePicture(pic));
  // The head is written only when it differs from the key's ids.
  EXPECT_EQ(WritePictureText(pic, {{200, 3}, "", ""}).find("head:"), std::string::npos);
}

TEST(PictureText, DumpWarnsThatSetPaddingBitsAreDropped) {
  const Bytes bytes{11, 1, 3, 1, 1, 1, 0xE1};
  Diagnostics diag;
  const std::optional<std::string> text = PictureBytesToText(bytes, {11, 11, 1}, {"lib", 0, 0}, diag);
  ASSERT_TRUE(text);
  EXPECT_FALSE(diag.HasErrors());
  ASSERT_EQ(diag.Items().size(), 1u);
  EXPECT_EQ(diag.Items()[0].severity, Severity::kWarning);
  EXPECT_NE(text->find("\n###\n"), std::string::npos);
  EXPECT_FALSE(PictureBytesToText(Bytes{1, 2, 3}, kFace, {"lib", 0, 0}, diag));
}

RgbaImage EyeFramesAsPng() {
  // The two frames of kTwoFrames side by side.
  const char* rows[] = {"Xo-XXXXXoooXoooooooooooo", "------------X-----------"};
  RgbaImage img{24, 2, {}};
  for (const char* row : rows) {
    for (int x = 0; x < 24; ++x) {
      img.pixels.push_back(row[x] == 'X' ? kRgbaBlack : row[x] == 'o' ? kRgbaWhite : kRgbaMagenta);
    }
  }
  return img;
}

TEST(PicturePng, GridOfCellsGivesTheSameBytesAsArt) {
  ScratchDir dir;
  Diagnostics diag;
  ASSERT_TRUE(WritePng(dir / "eye.png", EyeFramesAsPng(), diag));
  const std::string art = dir.Write("art.txt", kTwoFrames);
  const std::string png = dir.Write("png.txt", "size: 12x2\ndepth: 2\nimage: eye.png\n");
  const auto fromArt = CompilePictureFile(art, kFace, diag);
  const auto fromPng = CompilePictureFile(png, kFace, diag);
  ASSERT_TRUE(fromArt && fromPng) << FirstError(diag);
  EXPECT_EQ(*fromArt, *fromPng);
  // frames: takes only the first cells.
  dir.Write("one.txt", "size: 12x2\ndepth: 2\nimage: eye.png\nframes: 1\n");
  const auto one = CompilePictureFile(dir / "one.txt", kFace, diag);
  ASSERT_TRUE(one);
  EXPECT_EQ((*one)[4], 1);
  EXPECT_EQ(one->size(), 6u + 8);
}

// A 3x1 indexed PNG of two bits a pixel: black, a fully transparent
// 0x123456 (tRNS) and magenta.
const Bytes kIndexedWithTransparency = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x66,
    0x8e, 0xfc, 0x27, 0x00, 0x00, 0x00, 0x09, 0x50, 0x4c, 0x54, 0x45, 0x00, 0x00, 0x00, 0x12,
    0x34, 0x56, 0xff, 0x00, 0xff, 0xe4, 0x20, 0xdf, 0x08, 0x00, 0x00, 0x00, 0x02, 0x74, 0x52,
    0x4e, 0x53, 0xff, 0x00, 0xe5, 0xb7, 0x30, 0x4a, 0x00, 0x00, 0x00, 0x0a, 0x49, 0x44, 0x41,
    0x54, 0x78, 0xda, 0x63, 0x90, 0x00, 0x00, 0x00, 0x1a, 0x00, 0x19, 0x80, 0x00, 0x8e, 0xbb,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

TEST(PicturePng, BarePngIsOneFrameAndPicksItsDepth) {
  ScratchDir dir;
  Diagnostics diag;
  RgbaImage opaque{3, 1, {kRgbaBlack, kRgbaWhite, kRgbaBlack}};
  ASSERT_TRUE(WritePng(dir / "a.png", opaque, diag));
  EXPECT_EQ(CompilePictureFile(dir / "a.png", kFace, diag), (Bytes{1, 3, 3, 1, 1, 1, 0xA0}));
  dir.Write("b.png", std::string(kIndexedWithTransparency.begin(), kIndexedWithTransparency.end()));
  const auto clear = ReadPng(dir / "b.png", diag);
  ASSERT_TRUE(clear) << FirstError(diag);
  EXPECT_EQ(clear->pixels, (std::vector<std::uint32_t>{kRgbaBlack, 0x12345600, kRgbaMagenta}));
  EXPECT_EQ(CompilePictureFile(dir / "b.png", kFace, diag), (Bytes{1, 3, 3, 1, 1, 2, 0x68, 0x00}));
  // Written PNGs hold no transparency, so transparent pixels are refused.
  Diagnostics refused;
  EXPECT_FALSE(WritePng(dir / "c.png", *clear, refused));
  EXPECT_NE(FirstError(refused).find("transparent pixels"), std::string::npos);
}

TEST(PicturePng, OtherColoursAndBadGridsAreErrors) {
  ScratchDir dir;
  Diagnostics diag;
  RgbaImage red{2, 2, {kRgbaBlack, kRgbaBlack, kRgbaWhite, 0xFF0000FF}};
  ASSERT_TRUE(WritePng(dir / "red.png", red, diag));
  ASSERT_TRUE(WritePng(dir / "eye.png", EyeFramesAsPng(), diag));
  dir.Write("bad.txt", "size: 5x2\nimage: eye.png\n");
  dir.Write("d1.txt", "size: 12x2\nimage: eye.png\n");
  dir.Write("text.png", "size: 5x2\n");
  const std::pair<const char*, const char*> cases[] = {
      {"red.png", "pixel (1, 1) is #ff0000ff"},
      {"bad.txt", "bad.txt:2:8: error: image of 24x2 is not a grid"},
      {"d1.txt", "transparent pixels in a depth-1 picture"},
      {"none.png", "none.png: error: no such PNG file"},
      {"text.png", "text.png: error: byte 0: not a readable PNG"},
  };
  for (const auto& [file, error] : cases) {
    Diagnostics d;
    EXPECT_FALSE(CompilePictureFile(dir / file, kFace, d)) << file;
    EXPECT_NE(FirstError(d).find(error), std::string::npos) << FirstError(d);
  }

  // Refused by its header's size, before its pixels are decoded.
  Diagnostics wide;
  const RgbaImage wideImage{4097, 1, std::vector<std::uint32_t>(4097, kRgbaBlack)};
  ASSERT_TRUE(WritePng(dir / "wide.png", wideImage, wide));
  EXPECT_FALSE(ReadPng(dir / "wide.png", wide));
  EXPECT_NE(FirstError(wide).find("PNG of 4097x1 pixels is larger than 4096x4096"),
            std::string::npos) << FirstError(wide);
}

rpgfmt::Picture Blank(int w, int h, int depth, int frames) {
  rpgfmt::Picture p;
  p.width = w;
  p.height = h;
  p.depth = depth;
  p.frames.assign(static_cast<std::size_t>(frames), std::vector<std::uint8_t>(w * h, 0));
  return p;
}

TEST(PictureUse, ChecksWhatTheGameNeedsOfEachKind) {
  const SourcePos at{"p.txt", 0, 0};
  Diagnostics diag;
  EXPECT_TRUE(CheckPictureUse(Blank(16, 24, 2, 12), {8, 1, 1}, at, diag));
  EXPECT_FALSE(CheckPictureUse(Blank(16, 24, 2, 11), {8, 2, 1}, at, diag));  // walking sheet
  EXPECT_TRUE(CheckPictureUse(Blank(40, 40, 2, 3), {8, 3, 1}, at, diag));    // enemies: any count
  // One frame of 255x255 at depth 2 fills most of a block; two do not fit.
  EXPECT_TRUE(CheckPictureUse(Blank(255, 255, 2, 1), {11, 4, 1}, at, diag));
  EXPECT_FALSE(CheckPictureUse(Blank(255, 255, 2, 2), {11, 4, 1}, at, diag));
  EXPECT_FALSE(CheckPictureUse(Blank(16, 16, 2, 2), {7, 1, 1}, at, diag));  // tiles are depth 1
  EXPECT_EQ(diag.ErrorCount(), 3u);
}

TEST(PictureUse, CompileRejectsUnknownHeaderWordsAndNonPictureTypes) {
  ScratchDir dir;
  dir.Write("p.txt", "size: 1x1\nwalk: open 0\nframe 0\n#\n");
  Diagnostics diag;
  EXPECT_FALSE(CompilePictureFile(dir / "p.txt", kFace, diag));
  EXPECT_NE(FirstError(diag).find("p.txt:2:7: error: unknown header word \"walk:\""),
            std::string::npos) << FirstError(diag);
  Diagnostics type;
  EXPECT_FALSE(CompilePictureFile(dir / "p.txt", {2, 1, 1}, type));
  EXPECT_TRUE(type.HasErrors());
}

}  // namespace
}  // namespace datlib
