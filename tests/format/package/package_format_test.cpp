#include "format/package/package_format.h"

#include <gtest/gtest.h>

#include "codec/bytes.h"
#include "tests/support/bmp_file.h"

namespace pkgfmt {
namespace {

using testsupport::SolidBmp;

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return codec::LoadLe<std::uint32_t>(&b[at]);
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  codec::StoreLe(&b[at], v);
}

std::vector<std::uint8_t> Build(const std::vector<PackImage>& images,
                                 const std::vector<std::optional<std::uint32_t>>& fixed = {}) {
  std::vector<ImageSlot> slots;
  for (std::size_t i = 0; i < images.size(); ++i) {
    slots.push_back({images[i].bmp.size(), i < fixed.size() ? fixed[i] : std::nullopt});
  }
  Layout layout;
  std::size_t failed = 0;
  std::string error;
  EXPECT_TRUE(LayOutPackage(slots, layout, failed, error)) << error;
  return WritePackage(images, layout);
}

TEST(PackageLayout, TwoImagesByteForByte) {
  // 1x1 24-bit BMPs are 58 bytes (54 header bytes, one padded row of 4).
  const auto red = SolidBmp(1, 1, 0xFF0000);
  const auto key = SolidBmp(1, 1, 0xFF00FF);
  ASSERT_EQ(red.size(), 58u);
  const auto pkg = Build({{red, kKindPlain}, {key, kKindKeyed}});

  // Header 16 + directory 2*8 = 32: the first image at 32, ends at 90, the
  // second on the next 4-byte boundary at 92, the file ends at 150.
  ASSERT_EQ(pkg.size(), 150u);
  const std::vector<std::uint8_t> header = {'R', 'P', 'A', 'K', 1, 0, 0, 0, 2, 0, 0, 0, 32, 0, 0, 0,
                                            32,  0,   0,   0,   0, 0, 0, 0, 92, 0, 0, 0, 1, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(pkg.begin(), pkg.begin() + 32), header);
  EXPECT_EQ(std::vector<std::uint8_t>(pkg.begin() + 32, pkg.begin() + 90), red);
  EXPECT_EQ(pkg[90], 0);
  EXPECT_EQ(pkg[91], 0);
  EXPECT_EQ(std::vector<std::uint8_t>(pkg.begin() + 92, pkg.end()), key);
}

TEST(PackageLayout, EmptyPackageIsHeaderOnly) {
  const auto pkg = Build({});
  ASSERT_EQ(pkg.size(), 16u);
  EXPECT_EQ(U32At(pkg, 8), 0u);
  const auto index = ReadPackage(pkg);
  ASSERT_TRUE(index) << index.error().Text();
  EXPECT_TRUE(index->entries.empty());
  EXPECT_EQ(FindImage(*index, 16), nullptr);
}

TEST(PackageLayout, FixedOffsetsPadWithZeros) {
  // The test application reads its pictures at these two ids.
  const auto big = SolidBmp(320, 240, 0x336699);  // 230454 bytes
  const auto small = SolidBmp(28, 28, 0xFF00FF);
  const auto pkg = Build({{SolidBmp(2, 2, 0x123456), kKindPlain}, {big, kKindPlain}, {small, kKindKeyed}},
                         {std::nullopt, 691456u, 921920u});
  ASSERT_EQ(pkg.size(), 921920u + small.size());
  EXPECT_EQ(U32At(pkg, 16 + 8), 691456u);
  EXPECT_EQ(U32At(pkg, 16 + 16), 921920u);
  for (std::size_t i = 40 + 70; i < 691456; ++i) ASSERT_EQ(pkg[i], 0) << "at " << i;
  for (std::size_t i = 691456 + big.size(); i < 921920; ++i) ASSERT_EQ(pkg[i], 0) << "at " << i;

  const auto index = ReadPackage(pkg);
  ASSERT_TRUE(index) << index.error().Text();
  const PackageEntry* scene = FindImage(*index, 691456);
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(scene->bmp.width, 320);
  EXPECT_EQ(scene->bmp.height, 240);
  EXPECT_EQ(std::vector<std::uint8_t>(scene->bytes.begin(), scene->bytes.end()), big);
  const PackageEntry* gem = FindImage(*index, 921920);
  ASSERT_NE(gem, nullptr);
  EXPECT_EQ(gem->kind, kKindKeyed);
  EXPECT_EQ(FindImage(*index, 921921), nullptr);
}

TEST(PackageLayout, OverlapsAreRefusedNamingTheImage) {
  Layout layout;
  std::size_t failed = 99;
  std::string error;
  // Directory of two entries ends at 32.
  const ImageSlot intoDirectory[] = {{58, 24u}, {58, std::nullopt}};
  EXPECT_FALSE(LayOutPackage(intoDirectory, layout, failed, error));
  EXPECT_EQ(failed, 0u);
  EXPECT_NE(error.find("directory"), std::string::npos) << error;

  // The first image occupies 32..90; 89 overlaps, 90 touches it and is fine.
  const ImageSlot overlap[] = {{58, std::nullopt}, {58, 89u}};
  EXPECT_FALSE(LayOutPackage(overlap, layout, failed, error));
  EXPECT_EQ(failed, 1u);
  EXPECT_NE(error.find("overlaps"), std::string::npos) << error;
  const ImageSlot touching[] = {{58, std::nullopt}, {58, 90u}};
  ASSERT_TRUE(LayOutPackage(touching, layout, failed, error)) << error;
  EXPECT_EQ(layout.offsets[1], 90u);
  EXPECT_EQ(layout.fileSize, 148u);

  const ImageSlot tooBig[] = {{58, 0xFFFFFFF0u}};
  EXPECT_FALSE(LayOutPackage(tooBig, layout, failed, error));
  EXPECT_NE(error.find("4 GiB"), std::string::npos) << error;
}

TEST(PackageLayout, WriteRefusesALayoutThatDoesNotFit) {
  const std::vector<PackImage> images = {{SolidBmp(1, 1, 0), kKindPlain}};
  Layout layout;
  layout.offsets = {16};
  layout.fileSize = 40;
  EXPECT_TRUE(WritePackage(images, layout).empty());
  layout.offsets.clear();
  EXPECT_TRUE(WritePackage(images, layout).empty());
}

class HostilePackage : public ::testing::Test {
 protected:
  void SetUp() override {
    pkg_ = Build({{SolidBmp(3, 2, 0x00FF00), kKindPlain}, {SolidBmp(2, 2, 0xFF00FF), kKindKeyed}});
  }
  bool Read() {
    codec::Result<PackageIndex> read = ReadPackage(pkg_);
    if (!read) {
      error_ = read.error();
      return false;
    }
    index_ = std::move(*read);
    return true;
  }
  std::vector<std::uint8_t> pkg_;
  PackageIndex index_;
  codec::Error error_;
};

TEST_F(HostilePackage, WellFormedReadsBack) {
  ASSERT_TRUE(Read()) << error_.Text();
  ASSERT_EQ(index_.entries.size(), 2u);
  EXPECT_TRUE(index_.entries[0].usable);
  EXPECT_TRUE(index_.entries[1].usable);
  EXPECT_EQ(index_.magic, kMagic);
  EXPECT_EQ(index_.dataStart, 32u);
}

TEST_F(HostilePackage, ShortOrTruncatedDirectoryFails) {
  // A short header is a fault of the header; a short directory, of its count.
  for (std::size_t cut : {0, 7, 15, 16, 31}) {
    const std::vector<std::uint8_t> whole = pkg_;
    pkg_.resize(cut);
    EXPECT_FALSE(Read()) << "cut at " << cut;
    EXPECT_EQ(error_.offset, cut < 16 ? 0u : 8u) << error_.Text();
    pkg_ = whole;
  }
}

TEST_F(HostilePackage, AbsurdCountsFail) {
  const auto justPastTheEnd = std::uint32_t((pkg_.size() - 16) / 8 + 1);
  for (std::uint32_t count : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x20000000u, justPastTheEnd}) {
    PutU32(pkg_, 8, count);
    EXPECT_FALSE(Read()) << "count " << count;
    EXPECT_EQ(error_.offset, 8u) << error_.Text();
  }
}

TEST_F(HostilePackage, BadEntriesAreUnusableNotFatal) {
  PutU32(pkg_, 16, 0xFFFFFFF0u);          // offset far past the end
  PutU32(pkg_, 28, 7);                    // second entry: unknown kind
  ASSERT_TRUE(Read()) << error_.Text();
  EXPECT_FALSE(index_.entries[0].usable);
  EXPECT_EQ(index_.entries[0].problem.Text().rfind("byte 16: offset lies past the end", 0), 0u);
  EXPECT_FALSE(index_.entries[1].usable);
  EXPECT_EQ(index_.entries[1].problem.Text().rfind("byte 28: kind 7", 0), 0u);
  EXPECT_EQ(FindImage(index_, 0xFFFFFFF0u), nullptr);
}

TEST_F(HostilePackage, ImagesRunningPastTheEndAreUnusable) {
  const std::uint32_t last = U32At(pkg_, 24);
  pkg_.pop_back();  // the last image's declared size no longer fits
  ASSERT_TRUE(Read()) << error_.Text();
  EXPECT_TRUE(index_.entries[0].usable);
  EXPECT_FALSE(index_.entries[1].usable);
  EXPECT_EQ(FindImage(index_, last), nullptr);

  // Headers cut short: offset 10 bytes before the end.
  PutU32(pkg_, 24, std::uint32_t(pkg_.size() - 10));
  ASSERT_TRUE(Read());
  EXPECT_NE(index_.entries[1].problem.message.find("runs past the end"), std::string::npos);
  EXPECT_EQ(index_.entries[1].problem.offset, pkg_.size() - 10);
}

TEST_F(HostilePackage, CorruptBmpHeadersAreUnusable) {
  const std::uint32_t at = U32At(pkg_, 16);
  struct Case {
    std::size_t field;
    std::uint32_t value;
    const char* why;
  } cases[] = {
      {0, 0x4D42 ^ 0x0101, "BM"},             // magic
      {2, 10, "declared BMP size"},            // size smaller than headers
      {2, 0xFFFFFFFF, "declared BMP size"},    // size far past the end
      {14, 12, "information header"},          // old-style core header
      {14, 0x7FFFFFFF, "information header"},  // header larger than the image
      {10, 20, "pixel bits"},                  // pixel bits inside the headers
      {10, 0xFFFFFF00, "pixel bits"},          // pixel bits past the image
  };
  const auto original = pkg_;
  for (const Case& c : cases) {
    pkg_ = original;
    if (c.field == 0) {
      pkg_[at] = 'M';
      pkg_[at + 1] = 'B';
    } else {
      PutU32(pkg_, at + c.field, c.value);
    }
    ASSERT_TRUE(Read());
    EXPECT_FALSE(index_.entries[0].usable) << c.why;
    const codec::Error& problem = index_.entries[0].problem;
    EXPECT_NE(problem.message.find(c.why), std::string::npos) << problem.Text();
    EXPECT_EQ(problem.offset, at + c.field) << problem.Text();
    EXPECT_TRUE(index_.entries[1].usable);
  }
}

TEST_F(HostilePackage, FirstMatchingEntryCounts) {
  // Both entries name the first image; a broken first match hides the second.
  PutU32(pkg_, 24, U32At(pkg_, 16));
  ASSERT_TRUE(Read());
  EXPECT_EQ(FindImage(index_, 32), &index_.entries[0]);
  PutU32(pkg_, 20, 5);
  ASSERT_TRUE(Read());
  EXPECT_EQ(FindImage(index_, 32), nullptr);
}

}  // namespace
}  // namespace pkgfmt
