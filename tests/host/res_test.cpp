#include "host/res.h"

#include "host/canvas.h"
#include "host/mem.h"
#include "tests/host/picture_builder.h"
#include "tests/support/host_screen.h"

namespace host_test {
namespace {

using namespace testsupport;

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

TEST_F(ResTest, PlainAndKeyedImagesLoadByTheirOffset) {
  const BuiltPackage built = BuildPackage({{0, KeyedBmp()}, {1, KeyedBmp()}});
  auto* package = static_cast<uint8_t*>(Open(built.bytes));
  ASSERT_NE(package, nullptr);
  EXPECT_EQ(MemLiveBlocks(), 1);
  EXPECT_EQ(MemAllocatedBytes(), built.bytes.size() + 32);

  ImageRef plain = Dirty();
  EXPECT_EQ(ResLoadImage(&plain, 1, built.offsets[0], package), package + built.offsets[0]);
  EXPECT_EQ(plain.flags, 0x80000000u);
  EXPECT_NE(plain.bitmap, nullptr);
  EXPECT_EQ(plain.mask, nullptr);

  ImageRef keyed = Dirty();
  EXPECT_EQ(ResLoadImage(&keyed, 1, built.offsets[1], package), package + built.offsets[1]);
  EXPECT_EQ(keyed.flags, 0x80000001u);
  EXPECT_NE(keyed.mask, nullptr);
  // Loading again hands out the same bitmaps: they belong to the package.
  ImageRef again{};
  ResLoadImage(&again, 1, built.offsets[1], package);
  EXPECT_EQ(again.bitmap, keyed.bitmap);
  ResClose(package);
}

TEST_F(ResTest, UnknownIdsAndEmptyPackagesGiveNothing) {
  void* empty = Open(BuildPackage({}).bytes);
  ASSERT_NE(empty, nullptr);
  ImageRef out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, 16, empty), nullptr);
  EXPECT_EQ(out.flags, 0u);
  EXPECT_EQ(out.bitmap, nullptr);
  EXPECT_EQ(out.mask, nullptr);
  ResClose(empty);

  const BuiltPackage built = BuildPackage({{0, KeyedBmp()}});
  void* package = Open(built.bytes);
  ASSERT_NE(package, nullptr);
  out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[0] + 1, package), nullptr);
  EXPECT_EQ(out.flags, 0u);
  EXPECT_EQ(out.bitmap, nullptr);
  out = Dirty();
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[0], nullptr), nullptr);
  EXPECT_EQ(out.flags, 0xFFFFFFFFu);  // a null package touches nothing
  ResClose(package);
}

TEST_F(ResTest, BadKindsAreUnusableAndNonBmpDataLoadsWithoutBitmap) {
  const BuiltPackage built =
      BuildPackage({{2, KeyedBmp()}, {0, std::vector<uint8_t>(60, 'x')}, {1, KeyedBmp()}});
  void* package = Open(built.bytes);
  ASSERT_NE(package, nullptr);
  ImageRef out{};
  EXPECT_EQ(ResLoadImage(&out, 1, built.offsets[0], package), nullptr);
  EXPECT_EQ(out.flags, 0u);
  EXPECT_NE(ResLoadImage(&out, 1, built.offsets[1], package), nullptr);
  EXPECT_EQ(out.flags, 0x80000000u);
  EXPECT_EQ(out.bitmap, nullptr);
  EXPECT_NE(ResLoadImage(&out, 1, built.offsets[2], package), nullptr);
  EXPECT_NE(out.bitmap, nullptr);
  ResClose(package);
}

TEST_F(ResTest, HostilePackagesAreRefusedOrTheirBadEntriesUnusable) {
  std::vector<uint8_t> shortFile(15, 0);
  EXPECT_EQ(Open(shortFile), nullptr);
  EXPECT_EQ(ResOpen("..\\missing.dat"), nullptr);

  BuiltPackage built = BuildPackage({{0, KeyedBmp()}});
  std::vector<uint8_t> negative = built.bytes;
  PutU32(negative, 8, 0x80000000u);
  EXPECT_EQ(Open(negative), nullptr);
  std::vector<uint8_t> huge = built.bytes;
  PutU32(huge, 8, 0x10000000u);
  EXPECT_EQ(Open(huge), nullptr);
  EXPECT_EQ(MemLiveBlocks(), 0);

  // Entries past the end, or an image cut short: unusable, the rest still loads.
  std::vector<uint8_t> bytes =
      BuildPackage({{0, KeyedBmp()}, {0, KeyedBmp()}, {0, KeyedBmp()}, {0, KeyedBmp()}}).bytes;
  const uint32_t good = 16 + 8 * 4 + 2 * uint32_t(KeyedBmp().size());
  PutU32(bytes, 16, uint32_t(bytes.size()));
  PutU32(bytes, 24, 0xFFFFFFF0u);
  const uint32_t last = uint32_t(bytes.size() - KeyedBmp().size());
  PutU32(bytes, 40, last);
  bytes.resize(bytes.size() - 4);
  void* package = Open(bytes);
  ASSERT_NE(package, nullptr);
  ImageRef out{};
  EXPECT_EQ(ResLoadImage(&out, 1, uint32_t(bytes.size() + 4), package), nullptr);
  EXPECT_EQ(ResLoadImage(&out, 1, 0xFFFFFFF0u, package), nullptr);
  EXPECT_EQ(ResLoadImage(&out, 1, last, package), nullptr);
  EXPECT_NE(ResLoadImage(&out, 1, good, package), nullptr);
  EXPECT_NE(out.bitmap, nullptr);
  ResClose(package);
}

TEST_F(ResTest, AFullPoolRefusesThePackage) {
  MemVctRelease();
  env.WriteIni("[MEM]\nmemstack=64\n");
  ASSERT_EQ(MemVctInit(), 1);
  EXPECT_EQ(Open(BuildPackage({{0, KeyedBmp()}}).bytes), nullptr);
}

TEST_F(ResTest, TwoOpenPackagesKeepTheirOwnImages) {
  const BuiltPackage first = BuildPackage({{0, KeyedBmp()}});
  const BuiltPackage second = BuildPackage({{1, KeyedBmp()}, {0, KeyedBmp()}});
  void* a = Open(first.bytes);
  void* b = Open(second.bytes);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ImageRef out{};
  EXPECT_EQ(ResLoadImage(&out, 1, first.offsets[0], a), static_cast<uint8_t*>(a) + 24);
  EXPECT_EQ(out.flags, 0x80000000u);
  ResClose(a);
  EXPECT_EQ(ResLoadImage(&out, 1, second.offsets[0], a), nullptr);
  EXPECT_NE(ResLoadImage(&out, 1, second.offsets[0], b), nullptr);
  EXPECT_EQ(out.flags, 0x80000001u);
  ResClose(b);
  ResClose(b);  // closing again does nothing
}

TEST_F(ResTest, ImageFreeLeavesPackageBitmapsToResClose) {
  const BuiltPackage built = BuildPackage({{1, KeyedBmp()}});
  void* package = Open(built.bytes);
  ImageRef out{};
  ASSERT_NE(ResLoadImage(&out, 1, built.offsets[0], package), nullptr);
  ImageFree(&out);
  EXPECT_NE(out.bitmap, nullptr);
  Canvas* c = CanvasCreate();
  ImageRef again{};
  ResLoadImage(&again, 1, built.offsets[0], package);
  DrawImage(0, 0, 2, 2, 0, 0, again, c, 0);
  EXPECT_EQ(GetPixelColor(0, 0, c), 0x0000FFu);
  CanvasFree(c);
  ResClose(package);
}

}  // namespace
}  // namespace host_test
