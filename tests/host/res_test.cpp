// Resource packages and the images in them or in BMP files, with packages
// built in memory by the package writer the tools use.

#include "host/res.h"

#include <tuple>

#include "codec/bytes.h"
#include "format/package/package_format.h"
#include "host/canvas.h"
#include "host/mem.h"
#include "tests/support/bmp_file.h"
#include "tests/support/host_screen.h"

namespace {

using namespace testsupport;

constexpr uint32_t kLoaded = 0x80000000u, kMasked = 1;
constexpr uint32_t kGreen = 0x00FF00, kMagenta = 0xFF00FF;
const std::map<uint32_t, char> kLegend = {{kGreen, 'g'}, {kRed, 'r'}, {kMagenta, 'm'}, {kBlack, 'k'}};

// 2 x 2: opaque red, magenta / magenta, black (stored words 0x00RRGGBB).
std::vector<uint8_t> KeyedBmp() { return BmpFile(2, 2, {0x00FF0000, 0x00FF00FF, 0x00FF00FF, 0}); }

struct BuiltPackage {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> offsets;  // of the images, in order
};

// The images, of any kind and content, one after another behind the directory.
BuiltPackage BuildPackage(const std::vector<pkgfmt::PackImage>& images) {
  std::vector<pkgfmt::ImageSlot> slots;
  for (const pkgfmt::PackImage& image : images) slots.push_back({image.bmp.size(), std::nullopt});
  pkgfmt::Layout layout;
  std::size_t failed = 0;
  std::string error;
  pkgfmt::LayOutPackage(slots, layout, failed, error);
  return {pkgfmt::WritePackage(images, layout), layout.offsets};
}

// An image descriptor's flags and whether it has a bitmap and a mask.
std::tuple<uint32_t, bool, bool> Shape(const ImageRef& image) {
  return {image.flags, image.bitmap != nullptr, image.mask != nullptr};
}

class ResTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    ASSERT_EQ(MemVctInit(), 1);
  }
  void TearDown() override { EXPECT_EQ(MemLiveBlocks(), 0); }
  // Writes the package as resource.dat next to the current folder and opens it.
  void* Open(const std::vector<uint8_t>& bytes) {
    WriteFile(env.RootPath("resource.dat"), bytes);
    return ResOpen("..\\resource.dat");
  }
  // A descriptor with every field set, to see what a call clears.
  static ImageRef Dirty() {
    return ImageRef{7, 7, 0xFFFFFFFF, reinterpret_cast<plat::HBITMAP>(8),
                    reinterpret_cast<plat::HBITMAP>(8)};
  }
};

TEST_F(ResTest, PlainAndKeyedImagesLoadByTheirOffsetIntoOneBlock) {
  const BuiltPackage built = BuildPackage({{KeyedBmp(), 0}, {KeyedBmp(), 1}});
  auto* package = static_cast<uint8_t*>(Open(built.bytes));
  ASSERT_NE(package, nullptr);
  EXPECT_EQ(MemLiveBlocks(), 1);
  EXPECT_EQ(MemAllocatedBytes(), built.bytes.size() + 32);

  ImageRef plain = Dirty(), keyed = Dirty(), again{};
  EXPECT_EQ(ResLoadImage(&plain, 1, built.offsets[0], package), package + built.offsets[0]);
  EXPECT_EQ(Shape(plain), std::tuple(kLoaded, true, false));
  EXPECT_EQ(ResLoadImage(&keyed, 1, built.offsets[1], package), package + built.offsets[1]);
  EXPECT_EQ(Shape(keyed), std::tuple(kLoaded | kMasked, true, true));
  // The bitmaps belong to the package: ImageFree leaves them, and loading
  // again hands out the same ones, still drawable.
  ImageFree(&keyed);
  EXPECT_NE(keyed.bitmap, nullptr);
  ResLoadImage(&again, 1, built.offsets[1], package);
  EXPECT_EQ(again.bitmap, keyed.bitmap);
  Canvas* c = CanvasCreate();
  DrawImage(0, 0, 2, 2, 0, 0, again, c, 0);
  EXPECT_EQ(GetPixelColor(0, 0, c), 0x0000FFu);
  CanvasFree(c);
  ResClose(package);
}

TEST_F(ResTest, BadKindsUnknownIdsAndEmptyPackagesGiveNothingNonBmpDataNoBitmap) {
  const BuiltPackage built = BuildPackage(
      {{KeyedBmp(), 2}, {std::vector<uint8_t>(60, 'x'), 0}, {KeyedBmp(), 1}});
  void* package = Open(built.bytes);
  ASSERT_NE(package, nullptr);
  // Kind 2, data that is no BMP, a keyed image, an offset no entry has.
  const std::pair<uint32_t, std::tuple<uint32_t, bool, bool>> cases[] = {
      {built.offsets[0], {0u, false, false}}, {built.offsets[1], {kLoaded, false, false}},
      {built.offsets[2], {kLoaded | kMasked, true, true}}, {built.offsets[2] + 1, {0u, false, false}}};
  for (const auto& [offset, shape] : cases) {
    ImageRef out = Dirty();
    EXPECT_EQ(ResLoadImage(&out, 1, offset, package) != nullptr, std::get<0>(shape) != 0) << offset;
    EXPECT_EQ(Shape(out), shape) << offset;
  }
  ImageRef out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[2], nullptr), nullptr);
  EXPECT_EQ(out.flags, 0xFFFFFFFFu) << "a null package touches nothing";
  ResClose(package);

  void* empty = Open(BuildPackage({}).bytes);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(ResLoadImage(&out, 1, 16, empty), nullptr);
  ResClose(empty);
}

// The package reader's own tests try every fault; here the host's answers.
TEST_F(ResTest, HostilePackagesAreRefusedOrTheirBadEntriesUnusable) {
  EXPECT_EQ(Open(std::vector<uint8_t>(15, 0)), nullptr);
  EXPECT_EQ(ResOpen("..\\missing.dat"), nullptr);
  BuiltPackage built = BuildPackage({{KeyedBmp(), 0}, {KeyedBmp(), 0}, {KeyedBmp(), 0}});
  std::vector<uint8_t> negative = built.bytes;
  codec::StoreLe(&negative[8], 0x80000000u);
  EXPECT_EQ(Open(negative), nullptr);
  EXPECT_EQ(MemLiveBlocks(), 0);

  // An entry past the end and an image cut short: unusable, the rest loads.
  codec::StoreLe(&built.bytes[16], 0xFFFFFFF0u);
  built.bytes.resize(built.bytes.size() - 4);
  void* package = Open(built.bytes);
  ASSERT_NE(package, nullptr);
  ImageRef out{};
  EXPECT_EQ(ResLoadImage(&out, 1, 0xFFFFFFF0u, package), nullptr);
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[2], package), nullptr);
  EXPECT_NE(ResLoadImage(&out, 1, built.offsets[1], package), nullptr);
  EXPECT_NE(out.bitmap, nullptr);
  ResClose(package);

  // A pool too small for the package.
  MemVctRelease();
  env.WriteIni("[MEM]\nmemstack=64\n");
  ASSERT_EQ(MemVctInit(), 1);
  EXPECT_EQ(Open(BuildPackage({{KeyedBmp(), 0}}).bytes), nullptr);
}

TEST_F(ResTest, TwoOpenPackagesKeepTheirOwnImages) {
  const BuiltPackage first = BuildPackage({{KeyedBmp(), 0}});
  const BuiltPackage second = BuildPackage({{KeyedBmp(), 1}, {KeyedBmp(), 0}});
  void* a = Open(first.bytes);
  void* b = Open(second.bytes);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ImageRef out{};
  EXPECT_EQ(ResLoadImage(&out, 1, first.offsets[0], a), static_cast<uint8_t*>(a) + 24);
  EXPECT_EQ(out.flags, kLoaded);
  ResClose(a);
  EXPECT_EQ(ResLoadImage(&out, 1, second.offsets[0], a), nullptr);
  EXPECT_NE(ResLoadImage(&out, 1, second.offsets[0], b), nullptr);
  EXPECT_EQ(out.flags, kLoaded | kMasked);
  ResClose(b);
  ResClose(b);  // closing again does nothing
}

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
  EXPECT_EQ(keyed.flags, kLoaded | kMasked);
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

TEST_F(ImageTest, PlainImagesDrawMagentaInModeZeroAndNothingInModeOneAndKnowTheirSize) {
  ImageRef plain = Load(0);
  EXPECT_EQ(plain.flags, kLoaded);
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

  // Sizes come from the bitmap; without one, 0 and nothing drawn.
  int16_t size[2] = {-1, -1};
  int32_t width = -1, height = -1;
  GetImageSize(size, &plain);
  EXPECT_EQ(GetImageInfo(plain, &width, &height), 1);
  EXPECT_EQ(std::tuple(size[0], size[1], width, height), std::tuple(int16_t(2), int16_t(2), 2, 2));
  ImageFree(&plain);
  EXPECT_EQ(GetImageInfo(ImageRef{}, &width, &height), 0);
  EXPECT_EQ(std::pair(width, height), std::pair(0, 0));
  DrawImage(0, 0, 2, 2, 0, 0, ImageRef{}, c, 0);
}

TEST_F(ImageTest, PackedAndFileBmpsAreCheckedWithTheirMode) {
  std::vector<uint8_t> bmp = KeyedBmp();
  WriteFile(env.RootPath("good.bmp"), bmp);
  ImageRef image{};
  ASSERT_EQ(LoadBmpFile(&image, "..\\good.bmp", 1), 1);
  EXPECT_EQ(image.flags, kLoaded | kMasked);
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
