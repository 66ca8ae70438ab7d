#include "host/res.h"

#include <tuple>

#include "codec/bytes.h"
#include "host/canvas.h"
#include "host/mem.h"
#include "tests/host/picture_builder.h"
#include "tests/support/host_screen.h"

namespace host_test {
namespace {

using namespace testsupport;

constexpr uint32_t kLoaded = 0x80000000u, kMasked = 1;

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
  // Loading again hands out the same bitmaps: they belong to the package.
  ResLoadImage(&again, 1, built.offsets[1], package);
  EXPECT_EQ(again.bitmap, keyed.bitmap);
  ResClose(package);
}

TEST_F(ResTest, BadKindsUnknownIdsAndEmptyPackagesGiveNothingNonBmpDataNoBitmap) {
  const BuiltPackage built = BuildPackage(
      {{KeyedBmp(), 2}, {std::vector<uint8_t>(60, 'x'), 0}, {KeyedBmp(), 1}});
  void* package = Open(built.bytes);
  ASSERT_NE(package, nullptr);
  ImageRef out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[0], package), nullptr);
  EXPECT_EQ(Shape(out), std::tuple(0u, false, false));
  EXPECT_NE(ResLoadImage(&out, 1, built.offsets[1], package), nullptr);
  EXPECT_EQ(Shape(out), std::tuple(kLoaded, false, false));
  EXPECT_NE(ResLoadImage(&out, 1, built.offsets[2], package), nullptr);
  EXPECT_EQ(Shape(out), std::tuple(kLoaded | kMasked, true, true));
  out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[2] + 1, package), nullptr);
  EXPECT_EQ(Shape(out), std::tuple(0u, false, false));
  out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[2], nullptr), nullptr);
  EXPECT_EQ(out.flags, 0xFFFFFFFFu) << "a null package touches nothing";
  ResClose(package);

  void* empty = Open(BuildPackage({}).bytes);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(ResLoadImage(&out, 1, 16, empty), nullptr);
  ResClose(empty);
}

// The package reader's own tests try every fault; here the host's answer to
// a refused package and to unusable entries.
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
}

TEST_F(ResTest, AFullPoolRefusesThePackage) {
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

TEST_F(ResTest, ImageFreeLeavesPackageBitmapsToResClose) {
  const BuiltPackage built = BuildPackage({{KeyedBmp(), 1}});
  void* package = Open(built.bytes);
  ImageRef out{}, again{};
  ASSERT_NE(ResLoadImage(&out, 1, built.offsets[0], package), nullptr);
  ImageFree(&out);
  EXPECT_NE(out.bitmap, nullptr);
  Canvas* c = CanvasCreate();
  ResLoadImage(&again, 1, built.offsets[0], package);
  DrawImage(0, 0, 2, 2, 0, 0, again, c, 0);
  EXPECT_EQ(GetPixelColor(0, 0, c), 0x0000FFu);
  CanvasFree(c);
  ResClose(package);
}

}  // namespace
}  // namespace host_test
