#include "tools/respack/package_commands.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/gdi/bmp.h"
#include "platform/gdi/png.h"
#include "tests/support/bmp_file.h"
#include "tests/support/scratch.h"
#include "tools/respack/picture_source.h"

namespace respack {
namespace {

namespace fs = std::filesystem;

class PackageCommands : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "src"); }

  std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    const std::string path = (dir_ / "src" / name).string();
    EXPECT_TRUE(WriteFileBytes(path, bytes, error)) << error;
    return path;
  }
  std::string Put(const std::string& name, const std::string& text) {
    return Put(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  std::vector<std::uint8_t> Read(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(ReadFileBytes(path.string(), bytes, error)) << error;
    return bytes;
  }
  bool Build(const std::string& manifestPath, std::vector<std::uint8_t>& out, std::string& error,
             const std::vector<std::string>& searchDirs = {}) {
    Manifest manifest;
    codec::Diagnostics diag;
    if (LoadManifest(manifestPath, manifest, diag)) return BuildPackage(manifest, searchDirs, out, error);
    error = diag.Text();
    return false;
  }

  testsupport::ScratchDir scratch_{"respack"};
  const fs::path dir_{scratch_.path()};
};

constexpr const char* kGemArt =
    "size 3 2\ndepth 4\ncolor . ff00ff\ncolor b 2050c0\ncolor w ffffff\npixels\n.b.\nbwb\n";

TEST_F(PackageCommands, BuildExtractRebuildRoundTrip) {
  const auto plainBmp = testsupport::SolidBmp(5, 3, 0x336699);
  Put("plain.bmp", plainBmp);
  Put("gem.txt", kGemArt);
  plat::Image photo{4, 2, {0x000000, 0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0xFF0000, 0x00FF00}};
  std::string error;
  ASSERT_TRUE(plat::WritePngFile((dir_ / "src" / "photo.png").string(), photo, &error)) << error;
  const std::string manifest = Put("res.yaml",
                                   "images:\n  - file: plain.bmp\n  - file: photo.png\n    offset: 691456\n"
                                   "  - file: gem.txt\n    key: true\n    offset: 921920\n");
  std::vector<std::uint8_t> pkg;
  ASSERT_TRUE(Build(manifest, pkg, error)) << error;

  const auto read = pkgfmt::ReadPackage(pkg);
  ASSERT_TRUE(read) << read.error().Text();
  const pkgfmt::PackageIndex& index = *read;
  ASSERT_EQ(index.entries.size(), 3u);
  EXPECT_EQ(index.entries[0].offset, 40u);  // 16 + 3 * 8
  EXPECT_EQ(index.entries[1].offset, 691456u);
  EXPECT_EQ(index.entries[2].offset, 921920u);
  EXPECT_EQ(index.entries[2].kind, pkgfmt::kKindKeyed);
  EXPECT_EQ(index.entries[1].bmp.bitsPerPixel, 24);
  EXPECT_EQ(index.entries[2].bmp.bitsPerPixel, 4);

  std::vector<std::string> skipped;
  const fs::path out = dir_ / "out";
  ASSERT_TRUE(ExtractPackage(index, out.string(), skipped, error)) << error;
  EXPECT_TRUE(skipped.empty());
  EXPECT_EQ(Read(out / "000.bmp"), plainBmp);  // BMP sources are stored unchanged

  auto decoded = plat::ReadBmpFile((out / "001.bmp").string());
  ASSERT_TRUE(decoded) << decoded.error().Text();
  EXPECT_EQ(decoded->width, 4);
  EXPECT_EQ(decoded->pixels, photo.pixels);
  decoded = plat::ReadBmpFile((out / "002.bmp").string());
  ASSERT_TRUE(decoded) << decoded.error().Text();
  EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{0xFF00FF, 0x2050C0, 0xFF00FF, 0x2050C0, 0xFFFFFF, 0x2050C0}));

  std::vector<std::uint8_t> rebuilt;
  ASSERT_TRUE(Build((out / "manifest.yaml").string(), rebuilt, error)) << error;
  EXPECT_EQ(rebuilt, pkg);
}

TEST_F(PackageCommands, ErrorsNameManifestLines) {
  Put("a.bmp", testsupport::SolidBmp(8, 8, 0));
  std::vector<std::uint8_t> pkg;
  std::string error;

  const std::string overlap = Put("overlap.yaml", "images:\n  - file: a.bmp\n  - file: a.bmp\n    offset: 100\n");
  EXPECT_FALSE(Build(overlap, pkg, error));
  EXPECT_EQ(error, overlap + ":3: a.bmp: offset 100 overlaps the previous image (at 32, ending at 278) "
                             "from a.bmp of line 2");

  const std::string missing = Put("missing.yaml", "images:\n  - file: a.bmp\n  - file: nothing.png\n");
  EXPECT_FALSE(Build(missing, pkg, error));
  EXPECT_EQ(error.rfind(missing + ":3: cannot read " + (dir_ / "src" / "nothing.png").string(), 0), 0u) << error;

  Put("bad.txt", "size 2 2\npixels\n");
  const std::string badArt = Put("bad.yaml", "images:\n\n  - file: bad.txt\n");
  EXPECT_FALSE(Build(badArt, pkg, error));
  EXPECT_NE(error.find(badArt + ":3: "), std::string::npos) << error;
  EXPECT_NE(error.find("bad.txt:2: error: 0 rows of pixels"), std::string::npos) << error;

  Put("junk.bmp", "BM not really a bitmap");
  Put("junk.gif", "GIF89a");
  for (const char* file : {"junk.bmp", "junk.gif"}) {
    const std::string m = Put("junk.yaml", std::string("images:\n  - file: ") + file + "\n");
    EXPECT_FALSE(Build(m, pkg, error)) << file;
    EXPECT_EQ(error.rfind(m + ":2: ", 0), 0u) << error;
  }
}

TEST_F(PackageCommands, BmpWithAWrongDeclaredSizeIsPackedWithItsTrueSize) {
  auto bmp = testsupport::SolidBmp(2, 2, 0x445566);
  const std::vector<std::uint8_t> original = bmp;
  bmp[2] = bmp[3] = bmp[4] = bmp[5] = 0;  // some writers leave the size out
  Put("zero.bmp", bmp);
  std::vector<std::uint8_t> pkg;
  std::string error;
  ASSERT_TRUE(Build(Put("res.yaml", "images:\n  - file: zero.bmp\n"), pkg, error)) << error;
  const auto index = pkgfmt::ReadPackage(pkg);
  ASSERT_TRUE(index) << index.error().Text();
  const pkgfmt::PackageEntry& entry = index->entries[0];
  ASSERT_TRUE(entry.usable) << entry.problem.Text();
  EXPECT_EQ(std::vector<std::uint8_t>(entry.bytes.begin(), entry.bytes.end()), original);
}

TEST_F(PackageCommands, TransparentPngPixelsBecomeTheKeyColour) {
  // A 2x1 grey-alpha PNG: an opaque grey pixel and a fully transparent one.
  const std::string path = (dir_ / "src" / "alpha.png").string();
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_IHDR(png, info, 2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::uint8_t row[] = {0x80, 0xFF, 0x40, 0x00};
  png_write_row(png, row);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);

  plat::Image image;
  std::string error;
  ASSERT_TRUE(LoadPictureImage(path, image, error)) << error;
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0x808080, 0xFF00FF}));
}

TEST_F(PackageCommands, SearchDirectoriesFindBuiltPictures) {
  fs::create_directories(dir_ / "made");
  std::string error;
  ASSERT_TRUE(WriteFileBytes((dir_ / "made" / "scene.bmp").string(), testsupport::SolidBmp(2, 2, 0xABCDEF), error));
  const std::string manifest = Put("res.yaml", "images:\n  - file: scene.bmp\n");
  std::vector<std::uint8_t> pkg;
  EXPECT_FALSE(Build(manifest, pkg, error));
  ASSERT_TRUE(Build(manifest, pkg, error, {(dir_ / "elsewhere").string(), (dir_ / "made").string()})) << error;
  // Next to the manifest wins over the search path.
  Put("scene.bmp", testsupport::SolidBmp(1, 1, 0));
  ASSERT_TRUE(Build(manifest, pkg, error, {(dir_ / "made").string()})) << error;
  EXPECT_EQ(pkg.size(), 24u + 58u);
}

TEST_F(PackageCommands, ListAndExtractReportUnusableEntries) {
  Put("a.bmp", testsupport::SolidBmp(3, 2, 0x123456));
  Put("gem.txt", kGemArt);
  std::vector<std::uint8_t> pkg;
  std::string error;
  ASSERT_TRUE(Build(Put("res.yaml", "images:\n  - file: a.bmp\n  - file: gem.txt\n    key: yes\n"), pkg, error))
      << error;
  pkg[28] = 9;  // second entry: unknown kind

  const auto read = pkgfmt::ReadPackage(pkg);
  ASSERT_TRUE(read) << read.error().Text();
  const pkgfmt::PackageIndex& index = *read;
  const std::string listing = ListPackage(index, pkg.size());
  EXPECT_NE(listing.find("2 entries, " + std::to_string(pkg.size()) + " bytes"), std::string::npos) << listing;
  EXPECT_NE(listing.find("    0         32         78     3 x 2      24  plain"), std::string::npos) << listing;
  EXPECT_NE(listing.find("    1        112  unusable: byte 28: kind 9 is neither plain (0) nor keyed (1)"), std::string::npos)
      << listing;

  std::vector<std::string> skipped;
  ASSERT_TRUE(ExtractPackage(index, (dir_ / "out").string(), skipped, error)) << error;
  ASSERT_EQ(skipped.size(), 1u);
  EXPECT_EQ(skipped[0].rfind("entry 1 at 112: byte 28: kind 9", 0), 0u) << skipped[0];
  EXPECT_TRUE(fs::exists(dir_ / "out" / "000.bmp"));
  EXPECT_FALSE(fs::exists(dir_ / "out" / "001.bmp"));
}

}  // namespace
}  // namespace respack
