// BMP decoding of every layout, the writer, and hostile files.

#include "platform/gdi/bmp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>

#include "codec/bytes.h"
#include "platform/gdi/bmp_format.h"
#include "tests/support/scratch.h"

namespace plat {
namespace {

using Bytes = std::vector<std::uint8_t>;
using codec::AppendLe;

// A BMP made byte by byte: file header, 40-byte information header, colour
// table (0x00RRGGBB entries), then the given pixel bytes.
Bytes Handmade(int width, int height, int bpp, std::uint32_t compression,
               const std::vector<std::uint32_t>& palette, const Bytes& bits,
               std::int64_t colorsUsed = -1) {
  if (colorsUsed < 0) colorsUsed = std::int64_t(palette.size());
  Bytes b = {'B', 'M'};
  const std::uint32_t offset = 14 + 40 + 4 * std::uint32_t(palette.size());
  AppendLe<std::uint32_t>(b, offset + std::uint32_t(bits.size()));
  AppendLe<std::uint32_t>(b, 0);
  AppendLe<std::uint32_t>(b, offset);
  AppendLe<std::uint32_t>(b, 40);
  AppendLe<std::uint32_t>(b, std::uint32_t(width));
  AppendLe<std::uint32_t>(b, std::uint32_t(height));
  AppendLe<std::uint16_t>(b, 1);
  AppendLe<std::uint16_t>(b, std::uint32_t(bpp));
  AppendLe<std::uint32_t>(b, compression);
  AppendLe<std::uint32_t>(b, std::uint32_t(bits.size()));
  AppendLe<std::uint32_t>(b, 0);
  AppendLe<std::uint32_t>(b, 0);
  AppendLe<std::uint32_t>(b, std::uint32_t(colorsUsed));
  AppendLe<std::uint32_t>(b, 0);
  for (std::uint32_t c : palette) AppendLe<std::uint32_t>(b, c);
  b.insert(b.end(), bits.begin(), bits.end());
  return b;
}

Image Decode(const Bytes& bytes) {
  auto image = DecodeBmp(bytes);
  EXPECT_TRUE(image) << image.error().Text();
  return image.value_or(Image());
}

codec::Error Error(const Bytes& bytes) {
  auto image = DecodeBmp(bytes);
  EXPECT_FALSE(image);
  return image ? codec::Error{} : image.error();
}

Image Picture(int w, int h, std::vector<std::uint32_t> pixels) {
  return Image{w, h, std::move(pixels)};
}

void ExpectSame(const Image& a, const Image& b) {
  ASSERT_EQ(a.width, b.width);
  ASSERT_EQ(a.height, b.height);
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << "," << y;
  }
}

TEST(BmpDecodeTest, HandmadeFilesOfEveryLayout) {
  // Two rows of 2 pixels (6 bytes + 2 padding), the bottom row first, bytes B, G, R.
  const Bytes rgb = {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0,
                     0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0};
  const Bytes rle8 = {
      3, 1,              // three of colour 1
      0, 3, 2, 0, 1, 0,  // literal 2, 0, 1 padded to an even length
      0, 0,              // end of line (row 0 is the bottom row)
      0, 2, 1, 1,        // move right 1 and up 1 row: to x 1 of row 2
      2, 2,              // two of colour 2
      0, 1,              // end of picture
  };
  const Bytes rle4 = {
      5, 0x12,              // 1 2 1 2 1
      0, 3,    0x34, 0x50,  // literal 3 4 5: two bytes, already even
      0, 0,                 // end of line: the only row is done
  };
  // A run of 255 on a 4-wide row, a move far outside, then the end.
  const Bytes clipped = {255, 1, 0, 2, 200, 200, 7, 1, 0, 1};
  const struct {
    const char* what;
    Bytes file;
    Image expected;
  } cases[] = {
      {"24 bits, bottom-up", Handmade(2, 2, 24, bmp::kRgb, {}, rgb),
       Picture(2, 2, {0x102030, 0x405060, 0x010203, 0x040506})},
      {"24 bits, top-down", Handmade(2, -2, 24, bmp::kRgb, {}, rgb),
       Picture(2, 2, {0x010203, 0x040506, 0x102030, 0x405060})},
      {"1 bit, high bits first",
       Handmade(10, 1, 1, bmp::kRgb, {0x111111, 0xFF00FF}, {0xA0, 0x40, 0, 0}),
       Picture(10, 1, {0xFF00FF, 0x111111, 0xFF00FF, 0x111111, 0x111111, 0x111111, 0x111111,
                       0x111111, 0x111111, 0xFF00FF})},
      {"4 bits", Handmade(3, 1, 4, bmp::kRgb, {0, 0xAA, 0xBB}, {0x21, 0x00, 0, 0}, 3),
       Picture(3, 1, {0xBB, 0xAA, 0})},
      {"8 bits, index 7 past the three colours: black",
       Handmade(2, 1, 8, bmp::kRgb, {0x123456, 1, 2}, {0, 7, 0, 0}, 3),
       Picture(2, 1, {0x123456, 0})},
      {"32 bits ignore the fourth byte",
       Handmade(2, 1, 32, bmp::kRgb, {}, {1, 2, 3, 0xFF, 4, 5, 6, 0}),
       Picture(2, 1, {0x030201, 0x060504})},
      {"RLE8", Handmade(6, 3, 8, bmp::kRle8, {0x000000, 0x111111, 0x222222}, rle8),
       Picture(6, 3, {0, 0x222222, 0x222222, 0, 0, 0,  // row 2
                      0, 0, 0, 0, 0, 0,                // row 1: skipped
                      0x111111, 0x111111, 0x111111, 0x222222, 0, 0x111111})},  // row 0
      {"RLE4 alternates nibbles",
       Handmade(9, 1, 4, bmp::kRle4, {0, 0x10, 0x20, 0x30, 0x40, 0x50}, rle4),
       Picture(9, 1, {0x10, 0x20, 0x10, 0x20, 0x10, 0x30, 0x40, 0x50, 0})},
      {"RLE clips runs past the edges", Handmade(4, 2, 8, bmp::kRle8, {0, 0xABCDEF}, clipped),
       Picture(4, 2, {0, 0, 0, 0, 0xABCDEF, 0xABCDEF, 0xABCDEF, 0xABCDEF})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectSame(Decode(c.file), c.expected);
  }
}

TEST(BmpDecodeTest, SixteenBitFieldsKeepTheMagentaKeyExact) {
  Bytes bits;
  for (std::uint32_t v : {0xF81Fu, 0x07E0u, 0x8410u, 0x0000u}) AppendLe<std::uint16_t>(bits, v);
  Bytes file = Handmade(4, 1, 16, bmp::kBitfields, {}, {});
  // Masks right after a 40-byte header, then the pixels.
  Bytes masks;
  for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) AppendLe<std::uint32_t>(masks, m);
  file.insert(file.end(), masks.begin(), masks.end());
  file.insert(file.end(), bits.begin(), bits.end());
  file[10] = 14 + 40 + 12;
  const Image image = Decode(file);
  // 0x8410 is 16 of 31, 32 of 63, 16 of 31: 132, 130, 132 after scaling.
  ExpectSame(image, Picture(4, 1, {0xFF00FF, 0x00FF00, 0x848284, 0}));
  // The same words as 5-5-5: 0xF81F is red 30, green 0, blue 31.
  Bytes plain = Handmade(4, 1, 16, bmp::kRgb, {}, bits);
  EXPECT_EQ(Decode(plain).at(0, 0), 0xF700FFu);
}

TEST(BmpDecodeTest, WriterRoundTripsEveryDepthAndHeader) {
  std::mt19937 random(7);
  // Colours 16 bits hold exactly first, then ten more.
  std::vector<std::uint32_t> colours = {0xFF00FF, 0x000000, 0xFFFFFF, 0x00FF00, 0xFF0000, 0x0000FF};
  while (colours.size() < 16) colours.push_back(random() & 0xFFFFFF);
  for (int bpp : {1, 4, 8, 16, 24, 32}) {
    for (bool rgb565 : {false, true}) {
      if (rgb565 && bpp != 16) continue;
      for (BmpHeader header :
           {BmpHeader::kInfo, BmpHeader::kV4, BmpHeader::kV5, BmpHeader::kCore}) {
        for (bool topDown : {false, true}) {
          if (header == BmpHeader::kCore && (topDown || rgb565)) continue;
          SCOPED_TRACE(std::to_string(bpp) + " bits, header " + std::to_string(int(header)) +
                       (topDown ? ", top-down" : "") + (rgb565 ? ", 5-6-5" : ""));
          Image image;
          image.width = 1 + int(random() % 37);
          image.height = 1 + int(random() % 9);
          const std::size_t used = bpp == 1 ? 2 : bpp == 16 ? 6 : 16;
          for (int i = 0; i < image.width * image.height; ++i) {
            image.pixels.push_back(colours[random() % used]);
          }
          const BmpWriteOptions options{bpp, rgb565, topDown, header};
          Bytes bytes;
          std::string error;
          ASSERT_TRUE(EncodeBmp(image, options, bytes, &error)) << error;
          ExpectSame(Decode(bytes), image);
        }
      }
    }
  }
}

TEST(BmpHostileTest, MalformedHeadersAreRefused) {
  const Bytes good = Handmade(2, 2, 24, bmp::kRgb, {}, Bytes(16, 0));
  auto with = [&](std::size_t at, std::uint32_t value, int width = 4) {
    Bytes b = good;
    codec::StoreLe(&b[at], value, std::size_t(width));
    return b;
  };
  // Each refusal names the field at fault.
  const struct {
    const char* what;
    Bytes file;
    std::size_t offset;
    const char* word;
  } cases[] = {
      {"no BM mark", with(0, 'X', 1), 0, "BM"},
      {"unknown header size", with(14, 13), 14, "header size"},
      {"header larger than allowed", with(14, 5000), 14, "header size"},
      {"width 0", with(18, 0), 18, "empty"},
      {"negative width", with(18, 0x80000000u), 18, "empty"},
      {"height INT_MIN", with(22, 0x80000000u), 22, "too large"},
      {"too wide", with(18, 40000), 18, "too large"},
      {"too many pixels", Handmade(20000, 20000, 24, bmp::kRgb, {}, {}), 22, "too large"},
      {"rows missing", with(18, 30000), 54, "truncated"},
      {"two planes", with(26, 2, 2), 26, "plane"},
      {"three bits per pixel", with(28, 3, 2), 28, "bit depth"},
      {"RLE8 on 24 bits", with(30, bmp::kRle8), 30, "compression"},
      {"embedded JPEG", with(30, 4), 30, "compression"},
      {"bits inside the header", with(10, 20), 10, "offset"},
      {"bits past the end", with(10, 0xFFFFFFF0u), 10, "offset"},
  };
  for (const auto& c : cases) {
    const codec::Error e = Error(c.file);
    EXPECT_EQ(e.offset, c.offset) << c.what << ": " << e.Text();
    EXPECT_NE(e.message.find(c.word), std::string::npos) << c.what << ": " << e.Text();
  }
}

TEST(BmpHostileTest, EveryTruncationFailsCleanly) {
  std::vector<Bytes> files = {
      Handmade(5, 3, 24, bmp::kRgb, {}, Bytes(16 * 3, 0x55)),
      Handmade(9, 2, 1, bmp::kRgb, {0, 0xFFFFFF}, Bytes(8, 0xAA)),
      Handmade(4, 2, 8, bmp::kRle8, {0, 1}, {4, 1, 0, 0, 0, 4, 1, 0, 1, 0, 0, 1}),
      Handmade(4, 1, 4, bmp::kRle4, {0, 1}, {0, 4, 0x11, 0x11, 0, 1}),
  };
  for (const Bytes& file : files) {
    Decode(file);
    for (std::size_t n = 0; n < file.size(); ++n) {
      const auto image = DecodeBmp(std::span(file).first(n));
      ASSERT_FALSE(image) << "prefix " << n;
      EXPECT_LE(image.error().offset.value_or(0), n) << "prefix " << n;
    }
  }
}

TEST(BmpHostileTest, ColourTablesAndRunLengthStreamsAreBounded) {
  // colours used far beyond the depth: only 2 entries are read, and must be present.
  EXPECT_EQ(Error(Handmade(1, 1, 1, bmp::kRgb, {0}, {})).Text(), "byte 58: BMP pixel data is truncated");
  EXPECT_EQ(Error(Handmade(1, 1, 1, bmp::kRgb, {}, {0x80, 0, 0, 0}, 2)).Text(),
            "byte 54: BMP colour table is truncated");
  Decode(Handmade(1, 1, 1, bmp::kRgb, {0, 0xFFFFFF}, {0x80, 0, 0, 0}, 0xFFFFFFFF));
  // An RLE stream (from byte 58) without an end mark while rows remain.
  EXPECT_EQ(Error(Handmade(2, 2, 8, bmp::kRle8, {0}, {2, 0, 0, 0})).Text(),
            "byte 62: RLE data ends before the end-of-picture mark");
  // A literal run longer than the data.
  EXPECT_EQ(Error(Handmade(8, 1, 8, bmp::kRle8, {0}, {0, 9, 1, 2})).offset, 58u);
  // The largest picture an RLE stream may describe is refused before allocation.
  EXPECT_NE(Error(Handmade(32767, 32767, 8, bmp::kRle8, {0}, {0, 1})).message.find("too large"),
            std::string::npos);
  Decode(Handmade(4096, 4096, 8, bmp::kRle8, {0}, {0, 1}));  // 16M pixels: allowed
}

TEST(BmpWriteTest, RefusesWhatItCannotWrite) {
  const Image three = Picture(3, 1, {1, 2, 3});
  Bytes out;
  std::string error;
  EXPECT_FALSE(EncodeBmp(three, {.bitsPerPixel = 1}, out, &error));
  EXPECT_NE(error.find("more colours"), std::string::npos);
  EXPECT_FALSE(EncodeBmp(three, {.bitsPerPixel = 8, .palette = {1, 2}}, out, &error));  // 3 missing
  EXPECT_FALSE(EncodeBmp(three, {.topDown = true, .header = BmpHeader::kCore}, out, &error));
  EXPECT_FALSE(EncodeBmp(three, {.bitsPerPixel = 12}, out, &error));
  EXPECT_FALSE(EncodeBmp(Picture(2, 2, {1}), BmpWriteOptions(), out, &error));
  ASSERT_TRUE(EncodeBmp(three, {.bitsPerPixel = 8, .palette = {3, 2, 1}}, out, &error));
  EXPECT_EQ(out[14 + 40 + 4 * 3], 2);  // the first pixel, colour 1, is entry 2
}

TEST(BmpFileTest, WriteAndReadBack) {
  const testsupport::ScratchDir dir;
  const std::string path = dir / "picture.bmp";
  const Image image = Picture(3, 2, {0xFF00FF, 1, 2, 3, 4, 5});
  std::string error;
  ASSERT_TRUE(WriteBmpFile(path, image, BmpWriteOptions(), &error)) << error;
  const auto back = ReadBmpFile(path);
  ASSERT_TRUE(back) << back.error().Text();
  ExpectSame(*back, image);
  std::remove(path.c_str());
  EXPECT_EQ(ReadBmpFile(path).error().Text(), path + ": cannot open the file");
}

}  // namespace
}  // namespace plat
