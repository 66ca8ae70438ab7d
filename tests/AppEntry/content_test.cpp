// Checks the shipped sources of the Desktop and its test application: the
// pictures have the sizes and keys their users rely on, the package puts its
// pictures where the test application looks, and the sounds are what the
// sound player is sent.
#include <gtest/gtest.h>

#include <filesystem>

#include "AppEntry/art/pictures.h"
#include "platform/gdi/bmp.h"
#include "tests/support/scratch.h"
#include "tools/respack/manifest.h"
#include "tools/respack/package_commands.h"
#include "tools/respack/picture_source.h"
#include "tools/sndgen/synth.h"
#include "tools/sndgen/tune.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSources = fs::path(TOVSIM_SOURCE_DIR) / "AppEntry";
constexpr std::uint32_t kMagenta = 0xFF00FF;

TEST(DesktopArt, BackgroundFillsTheScreenTheSameEveryTime) {
  const plat::Image a = art::PaintDesktop();
  EXPECT_EQ(a.width, 320);
  EXPECT_EQ(a.height, 240);
  EXPECT_EQ(a.pixels, art::PaintDesktop().pixels);
  for (std::uint32_t p : a.pixels) ASSERT_LE(p, 0xFFFFFFu);
}

TEST(DesktopArt, IconIsKeyedAroundASolidEmblem) {
  plat::Image icon;
  std::string error;
  ASSERT_TRUE(respack::LoadPictureImage((kSources / "art/icon1.txt").string(), icon, error)) << error;
  ASSERT_EQ(icon.width, 32);
  ASSERT_EQ(icon.height, 32);
  for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) EXPECT_EQ(icon.at(x, y), kMagenta);
  const auto keyed = std::count(icon.pixels.begin(), icon.pixels.end(), kMagenta);
  EXPECT_GT(keyed, 100);
  EXPECT_LT(keyed, 32 * 32 / 2);
}

TEST(TestAppPackage, PicturesSitWhereTheApplicationLooks) {
  const testsupport::ScratchDir work;
  std::string error;
  const plat::Image scene = art::PaintScene();
  ASSERT_TRUE(plat::WriteBmpFile(work / "scene.bmp", scene, {}, &error)) << error;
  respack::Manifest manifest;
  codec::Diagnostics diag;
  ASSERT_TRUE(respack::LoadManifest((kSources / "testapp/resource.yaml").string(), manifest, diag))
      << diag.Text();
  std::vector<std::uint8_t> pkg;
  ASSERT_TRUE(respack::BuildPackage(manifest, {work.path()}, pkg, error)) << error;

  const auto read = pkgfmt::ReadPackage(pkg);
  ASSERT_TRUE(read) << read.error().Text();
  const pkgfmt::PackageIndex& index = *read;
  for (const auto& e : index.entries) EXPECT_TRUE(e.usable) << e.problem.Text();

  // Drawn 60 x 60 from source (110, 160), plain.
  const pkgfmt::PackageEntry* picture = pkgfmt::FindImage(index, 691456);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, pkgfmt::kKindPlain);
  EXPECT_GE(picture->bmp.width, 170);
  EXPECT_GE(std::abs(picture->bmp.height), 220);

  // Drawn 28 x 28 from (0, 0), magenta transparent.
  const pkgfmt::PackageEntry* gem = pkgfmt::FindImage(index, 921920);
  ASSERT_NE(gem, nullptr);
  EXPECT_EQ(gem->kind, pkgfmt::kKindKeyed);
  const auto decoded = plat::DecodeBmp(gem->bytes);
  ASSERT_TRUE(decoded) << decoded.error().Text();
  const plat::Image& gemImage = *decoded;
  EXPECT_EQ(gemImage.width, 28);
  EXPECT_EQ(gemImage.height, 28);
  EXPECT_EQ(gemImage.at(0, 0), kMagenta);
  EXPECT_NE(gemImage.at(14, 14), kMagenta);
}

sndgen::Tune LoadTune(const std::string& name) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(respack::ReadFileBytes((kSources / "sound" / name).string(), bytes, error)) << error;
  sndgen::Tune tune;
  codec::Diagnostics diag;
  EXPECT_TRUE(sndgen::ParseTune(std::string(bytes.begin(), bytes.end()), name, tune, diag)) << diag.Text();
  return tune;
}

TEST(TestAppSounds, LengthsSuitTheirUse) {
  const sndgen::Tune get = LoadTune("get.tune");
  std::vector<std::int16_t> samples;
  std::string error;
  ASSERT_TRUE(sndgen::Render(get, samples, error)) << error;
  EXPECT_LT(double(samples.size()) / get.sampleRate, 1.0);  // a short pickup chime

  const sndgen::Tune loop = LoadTune("track06.tune");
  EXPECT_TRUE(loop.loop);
  ASSERT_TRUE(sndgen::Render(loop, samples, error)) << error;
  EXPECT_EQ(samples.size(), std::size_t(4 * loop.sampleRate));  // whole bars, so it repeats in time

  const sndgen::Tune tunebox = LoadTune("tunebox.tune");
  EXPECT_EQ(tunebox.LengthTicks() % std::uint32_t(tunebox.ticksPerQuarter * 3), 0u);  // whole 3/4 bars
  EXPECT_GE(tunebox.tracks.size(), 2u);
}

}  // namespace
