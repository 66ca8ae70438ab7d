// PNG writing and reading through libpng.

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>

#include "platform/gdi/png.h"

namespace plat {
namespace {

TEST(PngTest, RoundTripKeepsEveryColourAndDropsTheTopByte) {
  Image image{3, 2, {0xFF00FF, 0x000000, 0xFFFFFF, 0x123456, 0xFF654321, 0x00ABCDEF}};
  std::vector<std::uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodePng(image, bytes, &error)) << error;
  Image back;
  std::vector<std::uint8_t> alpha;
  ASSERT_TRUE(DecodePng(bytes, back, &error, &alpha)) << error;
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  image.pixels[4] = 0x654321;
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_EQ(alpha, std::vector<std::uint8_t>(6, 255));
}

TEST(PngTest, AlphaComesSeparatelyAndColoursStayUnblended) {
  // An RGBA file made directly with libpng: a half-transparent red pixel and a clear one.
  const std::uint8_t rgba[] = {255, 0, 0, 128, 10, 20, 30, 0};
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = 2;
  png.height = 1;
  png.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 1024;
  std::vector<std::uint8_t> bytes(size);
  ASSERT_TRUE(png_image_write_to_memory(&png, bytes.data(), &size, 0, rgba, 0, nullptr));
  bytes.resize(size);
  Image image;
  std::vector<std::uint8_t> alpha;
  ASSERT_TRUE(DecodePng(bytes, image, nullptr, &alpha));
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFF0000, 0x0A141E}));
  EXPECT_EQ(alpha, (std::vector<std::uint8_t>{128, 0}));
}

TEST(PngTest, BadInputIsAnErrorNeverACrash) {
  Image image{2, 1, {1, 2}};
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(EncodePng(image, bytes));
  std::string error;
  Image out;
  // Cut before the signature ends, after the header chunk, inside the data chunk.
  for (std::size_t n : {std::size_t(0), std::size_t(7), std::size_t(33), bytes.size() - 20}) {
    EXPECT_FALSE(DecodePng(std::span(bytes).first(n), out, &error)) << n;
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(out.pixels.empty());
  }
  std::vector<std::uint8_t> corrupt = bytes;
  corrupt[17] ^= 0xFF;  // the header's width: its checksum no longer matches
  EXPECT_FALSE(DecodePng(corrupt, out, &error));
  EXPECT_FALSE(EncodePng(Image{0, 0, {}}, bytes, &error));
  EXPECT_FALSE(EncodePng(Image{2, 2, {1}}, bytes, &error));
  EXPECT_FALSE(ReadPngFile("/nonexistent/picture.png", out, &error));
  EXPECT_NE(error.find("/nonexistent/picture.png"), std::string::npos);
}

}  // namespace
}  // namespace plat
