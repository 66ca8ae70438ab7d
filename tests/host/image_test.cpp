#include <tuple>

#include "host/canvas.h"
#include "host/res.h"
#include "tests/host/picture_builder.h"
#include "tests/support/host_screen.h"

namespace host_test {
namespace {

using namespace testsupport;

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kMagenta = 0xFF00FF;
const std::map<uint32_t, char> kLegend = {
    {kGreen, 'g'}, {kRed, 'r'}, {kMagenta, 'm'}, {0x000000, 'k'}};

class ImageTest : public CanvasScreenTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(CanvasScreenTest::SetUp());
    FillRectColor(0, 0, 9, 9, kGreen, c);
  }
  ImageRef Load(int32_t mode) {
    const std::vector<uint8_t> bmp = KeyedBmp();
    ImageRef image{};
    EXPECT_EQ(ImageFromPackedBmp(&image, bmp.data(), bmp.size(), mode), 1);
    return image;
  }
};

TEST_F(ImageTest, KeyedImagesShowTheTargetThroughMagentaOnlyInModeOne) {
  ImageRef keyed = Load(1);
  EXPECT_EQ(keyed.flags, 0x80000001u);
  EXPECT_EQ(keyed.width, 2);
  EXPECT_EQ(keyed.height, 2);
  DrawImage(0, 0, 2, 2, 0, 0, keyed, c, 1);
  DrawImage(4, 0, 2, 2, 0, 0, keyed, c, 0);
  EXPECT_EQ(Art(c, 0, 0, 6, 2, kLegend), (std::vector<std::string>{"rgggrk", "gkggkk"}));
  // AND with the mask picture, then OR with the image: the same as mode 1.
  DrawImageRop(0, 4, 2, 2, 0, 0, ImageRef{0, 0, 0, keyed.mask, nullptr}, c, 1);
  DrawImageRop(0, 4, 2, 2, 0, 0, keyed, c, 2);
  EXPECT_EQ(Art(c, 0, 4, 2, 2, kLegend), (std::vector<std::string>{"rg", "gk"}));
  ImageFree(&keyed);
  EXPECT_EQ(keyed.bitmap, nullptr);
  EXPECT_EQ(keyed.mask, nullptr);
  ImageFree(&keyed);  // a second free finds nothing to release
}

TEST_F(ImageTest, PlainImagesDrawMagentaInModeZeroAndNothingInModeOne) {
  ImageRef plain = Load(0);
  EXPECT_EQ(plain.flags, 0x80000000u);
  EXPECT_EQ(plain.mask, nullptr);
  const int repaints = viewer->Repaints();
  DrawImage(0, 0, 2, 2, 0, 0, plain, nullptr, 1);
  EXPECT_EQ(viewer->Repaints(), repaints);
  DrawImage(0, 0, 2, 2, 0, 0, plain, c, 1);
  DrawImage(0, 0, 2, 2, 0, 0, plain, c, 5);
  DrawImageRop(0, 0, 2, 2, 0, 0, plain, c, 3);
  EXPECT_EQ(CountColor(c, kGreen, 10, 10), 100);
  DrawImage(0, 0, 2, 2, 0, 0, plain, c, 0);
  EXPECT_EQ(Art(c, 0, 0, 2, 2, kLegend), (std::vector<std::string>{"rm", "mk"}));
  // Other modes on the screen still flush.
  DrawImage(0, 0, 2, 2, 0, 0, plain, nullptr, 7);
  EXPECT_EQ(viewer->Repaints(), repaints + 1);
  // Part of an image from a source offset.
  DrawImage(5, 5, 1, 1, 1, 1, plain, c, 0);
  EXPECT_EQ(GetPixelColor(5, 5, c), 0x000000u);
  ImageFree(&plain);
}

TEST_F(ImageTest, SizesComeFromTheBitmap) {
  ImageRef image = Load(0);
  int16_t size[2] = {-1, -1};
  int32_t width = -1, height = -1;
  GetImageSize(size, &image);
  EXPECT_EQ(GetImageInfo(image, &width, &height), 1);
  EXPECT_EQ(std::tuple(size[0], size[1], width, height), std::tuple(int16_t(2), int16_t(2), 2, 2));
  ImageFree(&image);
  EXPECT_EQ(GetImageInfo(ImageRef{}, &width, &height), 0);
  EXPECT_EQ(std::pair(width, height), std::pair(0, 0));
  DrawImage(0, 0, 2, 2, 0, 0, ImageRef{}, c, 0);  // no bitmap: nothing
}

TEST_F(ImageTest, PackedAndFileBmpsAreCheckedWithTheirMode) {
  std::vector<uint8_t> bmp = KeyedBmp();
  WriteFile(env.RootPath("good.bmp"), bmp);
  ImageRef image{};
  ASSERT_EQ(LoadBmpFile(&image, "..\\good.bmp", 1), 1);
  EXPECT_EQ(image.flags, 0x80000001u);
  DrawImage(0, 0, 2, 2, 0, 0, image, c, 1);
  EXPECT_EQ(Art(c, 0, 0, 2, 2, kLegend), (std::vector<std::string>{"rg", "gk"}));
  ImageFree(&image);

  ImageRef out{1, 1, 1, nullptr, nullptr};
  EXPECT_EQ(ImageFromPackedBmp(&out, bmp.data(), bmp.size(), 2), 0);
  EXPECT_EQ(ImageFromPackedBmp(&out, bmp.data(), bmp.size() - 1, 0), 0);
  EXPECT_EQ(ImageFromPackedBmp(&out, "PM", 2, 0), 0);
  EXPECT_EQ(ImageFromPackedBmp(&out, nullptr, 0, 0), 0);
  EXPECT_EQ(out.flags, 0u);
  EXPECT_EQ(BitmapFromPackedBmp(bmp.data(), 20), nullptr);
  EXPECT_EQ(LoadBmpFile(&out, "..\\good.bmp", 2), 0);
  WriteFile(env.RootPath("short.bmp"), std::vector<uint8_t>(bmp.begin(), bmp.begin() + 50));
  bmp[0] = 'P';
  WriteFile(env.RootPath("pm.bmp"), bmp);
  for (const char* path : {"..\\missing.bmp", "..\\pm.bmp", "..\\short.bmp"}) {
    out = ImageRef{1, 1, 1, nullptr, nullptr};
    EXPECT_EQ(LoadBmpFile(&out, path, 0), 0) << path;
    EXPECT_EQ(out.flags, 0u) << path;
  }
}

}  // namespace
}  // namespace host_test
