#include "format/package/package_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "codec/bytes.h"
#include "tests/support/bmp_file.h"

namespace pkgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testsupport::SolidBmp;

Bytes Build(const std::vector<PackImage>& images,
            const std::vector<std::optional<std::uint32_t>>& fixed = {}) {
  std::vector<ImageSlot> slots;
  for (std::size_t i = 0; i < images.size(); ++i)
    slots.push_back({images[i].bmp.size(), i < fixed.size() ? fixed[i] : std::nullopt});
  Layout layout;
  std::size_t failed = 0;
  std::string error;
  EXPECT_TRUE(LayOutPackage(slots, layout, failed, error)) << error;
  return WritePackage(images, layout);
}

TEST(PackageLayout, WrittenByteForByteAndReadBack) {
  // 1x1 24-bit BMPs are 58 bytes (54 header bytes, one padded row of 4).
  const Bytes red = SolidBmp(1, 1, 0xFF0000), key = SolidBmp(1, 1, 0xFF00FF);
  const Bytes pkg = Build({{red, kKindPlain}, {key, kKindKeyed}});
  // Header 16 + directory 2*8 = 32: the first image at 32, ends at 90, the
  // second on the next 4-byte boundary at 92, the file ends at 150.
  ASSERT_EQ(pkg.size(), 150u);
  const Bytes header = {'R', 'P', 'A', 'K', 1, 0, 0, 0, 2, 0, 0, 0, 32, 0, 0, 0,
                        32,  0,   0,   0,   0, 0, 0, 0, 92, 0, 0, 0, 1, 0, 0, 0};
  EXPECT_EQ(Bytes(pkg.begin(), pkg.begin() + 32), header);
  EXPECT_EQ(Bytes(pkg.begin() + 32, pkg.begin() + 90), red);
  EXPECT_EQ(Bytes(pkg.begin() + 92, pkg.end()), key);

  EXPECT_EQ(ReadPackage(pkg)->dataStart, 32u);
  EXPECT_EQ(Build({}).size(), 16u);
  EXPECT_TRUE(ReadPackage(Build({}))->entries.empty());

  // Fixed offsets pad with zeros; an id is an entry's exact offset.
  const Bytes small = SolidBmp(2, 2, 0x123456), big = SolidBmp(20, 20, 0x336699);
  const Bytes fixed = Build({{small, kKindPlain}, {big, kKindPlain}, {small, kKindKeyed}},
                            {std::nullopt, 300u, 2000u});
  ASSERT_EQ(fixed.size(), 2000u + small.size());
  EXPECT_EQ(std::count(fixed.begin() + 40 + small.size(), fixed.begin() + 300, 0) +
                std::count(fixed.begin() + 300 + big.size(), fixed.begin() + 2000, 0),
            2000 - 40 - std::ptrdiff_t(small.size() + big.size()));
  const auto read = ReadPackage(fixed);
  const PackageEntry* found = FindImage(*read, 300);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->bmp.width, 20);
  EXPECT_EQ(Bytes(found->bytes.begin(), found->bytes.end()), big);
  EXPECT_EQ(FindImage(*read, 2000)->kind, kKindKeyed);
  EXPECT_EQ(FindImage(*read, 2001), nullptr);
}

TEST(PackageLayout, OverlapsHugeFilesAndLayoutsNotFittingTheImagesAreRefused) {
  // A directory of two entries ends at 32; the first image then takes 32..90.
  const std::tuple<std::vector<ImageSlot>, std::size_t, const char*> cases[] = {
      {{{58, 24u}, {58, std::nullopt}}, 0, "directory"},
      {{{58, std::nullopt}, {58, 89u}}, 1, "overlaps"},
      {{{58, 0xFFFFFFF0u}}, 0, "4 GiB"},
  };
  Layout layout;
  std::size_t failed = 99;
  std::string error;
  for (const auto& [slots, slot, why] : cases) {
    EXPECT_FALSE(LayOutPackage(slots, layout, failed, error)) << why;
    EXPECT_EQ(failed, slot) << why;
    EXPECT_NE(error.find(why), std::string::npos) << error;
  }
  const ImageSlot touching[] = {{58, std::nullopt}, {58, 90u}};
  ASSERT_TRUE(LayOutPackage(touching, layout, failed, error)) << error;
  EXPECT_EQ(layout.fileSize, 148u);
  const std::vector<PackImage> images = {{SolidBmp(1, 1, 0), kKindPlain}};
  EXPECT_TRUE(WritePackage(images, Layout{{16}, 16, 40}).empty());
  EXPECT_TRUE(WritePackage(images, Layout{{}, 16, 100}).empty());
}

class HostilePackage : public ::testing::Test {
 protected:
  // A plain 3x2 picture at 32 and a keyed 2x2 one at 112.
  Bytes pkg_ = Build({{SolidBmp(3, 2, 0x00FF00), kKindPlain}, {SolidBmp(2, 2, 0xFF00FF), kKindKeyed}});
};

TEST_F(HostilePackage, AnUnreadableHeaderOrDirectoryFailsAtItsField) {
  // A short header is a fault of the header; a short directory, of its count.
  // (error() of a package that was read throws, which fails the test too.)
  for (std::size_t cut : {0, 7, 15, 16, 31}) {
    EXPECT_EQ(ReadPackage(std::span(pkg_).first(cut)).error().offset, cut < 16 ? 0u : 8u) << cut;
  }
  const auto justPastTheEnd = std::uint32_t((pkg_.size() - 16) / 8 + 1);
  for (std::uint32_t count : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x20000000u, justPastTheEnd}) {
    codec::StoreLe(&pkg_[8], count);
    EXPECT_EQ(ReadPackage(pkg_).error().offset, 8u) << count;
  }
}

// Entries pointing outside the file or at a broken picture are kept, marked
// unusable with the fault's byte, and hide nothing else.
TEST_F(HostilePackage, BadEntriesAreUnusableNamingTheFaultyByte) {
  // The byte changed, its new value and width, the entry made unusable, why,
  // and the byte its problem names.
  const std::tuple<std::size_t, std::uint32_t, std::size_t, std::size_t, const char*, std::size_t>
      cases[] = {
      {16, 0xFFFFFFF0u, 4, 0, "offset lies past the end", 16},
      {28, 7, 4, 1, "kind 7", 28},
      {24, std::uint32_t(pkg_.size() - 10), 4, 1, "runs past the end", pkg_.size() - 10},
      {32, 0x424D, 2, 0, "BM", 32},
      {34, 10, 4, 0, "declared BMP size", 34},  // smaller than the headers
      {34, 0xFFFFFFFFu, 4, 0, "declared BMP size", 34},
      {46, 12, 4, 0, "information header", 46},  // old-style core header
      {46, 0x7FFFFFFFu, 4, 0, "information header", 46},
      {42, 20, 4, 0, "pixel bits", 42},  // inside the headers
      {42, 0xFFFFFF00u, 4, 0, "pixel bits", 42},
  };
  const Bytes original = pkg_;
  for (const auto& [at, value, bytes, entry, why, fault] : cases) {
    pkg_ = original;
    codec::StoreLe(&pkg_[at], value, bytes);
    const auto index = ReadPackage(pkg_);
    const PackageEntry& bad = index->entries.at(entry);
    EXPECT_FALSE(bad.usable) << why;
    EXPECT_NE(bad.problem.message.find(why), std::string::npos) << bad.problem.Text();
    EXPECT_EQ(bad.problem.offset, fault) << bad.problem.Text();
    EXPECT_TRUE(index->entries[1 - entry].usable) << why;
    EXPECT_EQ(FindImage(*index, bad.offset), nullptr) << why;
  }
  // Both entries name the first image: the first match counts, even broken.
  pkg_ = original;
  codec::StoreLe(&pkg_[24], std::uint32_t(32));
  EXPECT_EQ(FindImage(*ReadPackage(pkg_), 32)->kind, kKindPlain);
  codec::StoreLe(&pkg_[20], std::uint32_t(5));
  EXPECT_EQ(FindImage(*ReadPackage(pkg_), 32), nullptr);
}

}  // namespace
}  // namespace pkgfmt
