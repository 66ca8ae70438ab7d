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
  std::vector<std::uint8_t> alpha;
  const auto back = DecodePng(bytes, &alpha);
  ASSERT_TRUE(back) << back.error().Text();
  EXPECT_EQ(back->width, 3);
  EXPECT_EQ(back->height, 2);
  image.pixels[4] = 0x654321;
  EXPECT_EQ(back->pixels, image.pixels);
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
  std::vector<std::uint8_t> alpha;
  const auto image = DecodePng(bytes, &alpha);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0xFF0000, 0x0A141E}));
  EXPECT_EQ(alpha, (std::vector<std::uint8_t>{128, 0}));
}

TEST(PngTest, BadInputIsAnErrorNeverACrash) {
  Image image{2, 1, {1, 2}};
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(EncodePng(image, bytes));
  // Cut before the signature ends, after the header chunk, inside the data chunk.
  for (std::size_t n : {std::size_t(0), std::size_t(7), std::size_t(33), bytes.size() - 20}) {
    const auto out = DecodePng(std::span(bytes).first(n));
    ASSERT_FALSE(out) << n;
    EXPECT_FALSE(out.error().message.empty());
  }
  std::vector<std::uint8_t> corrupt = bytes;
  corrupt[17] ^= 0xFF;  // the header's width: its checksum no longer matches
  EXPECT_FALSE(DecodePng(corrupt));
  std::string error;
  EXPECT_FALSE(EncodePng(Image{0, 0, {}}, bytes, &error));
  EXPECT_FALSE(EncodePng(Image{2, 2, {1}}, bytes, &error));
  EXPECT_EQ(ReadPngFile("/nonexistent/picture.png").error().Text(),
            "/nonexistent/picture.png: cannot open the file");
}

}  // namespace
}  // namespace plat
