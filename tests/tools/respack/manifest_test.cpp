#include "tools/respack/manifest.h"

#include <gtest/gtest.h>

#include "tools/respack/pixel_art.h"

namespace respack {
namespace {

TEST(Manifest, ReadsEntriesWithLines) {
  Manifest m;
  codec::Diagnostics diag;
  ASSERT_TRUE(ParseManifest("# pictures\nimages:\n  - file: a.txt\n  - file: sub/b.png\n    key: true\n"
                            "    offset: 0x10\n    depth: 8\n  - {file: c.bmp, offset: 691456}\n",
                            "m.yaml", "art", m, diag))
      << diag.Text();
  ASSERT_EQ(m.images.size(), 3u);
  EXPECT_EQ(m.images[0].line, 3);
  EXPECT_EQ(m.images[0].path, "art/a.txt");
  EXPECT_FALSE(m.images[0].keyed);
  EXPECT_FALSE(m.images[0].offset);
  EXPECT_EQ(m.images[1].file, "sub/b.png");
  EXPECT_TRUE(m.images[1].keyed);
  EXPECT_EQ(m.images[1].offset, 16u);
  EXPECT_EQ(m.images[1].depth, 8);
  EXPECT_EQ(m.images[2].line, 8);
  EXPECT_EQ(m.images[2].offset, 691456u);
}

TEST(Manifest, ErrorsNameTheLineAndColumn) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"images:\n  - file: a.bmp\n    offset: -4\n", "m.yaml:3:13: error: offset '-4' is not a whole number"},
      {"images:\n  - file: a.bmp\n    offset: 4294967296\n", "m.yaml:3:13: error: offset 4294967296 does not fit in 32 bits"},
      {"images:\n  - file: a.bmp\n    key: maybe\n", "m.yaml:3:10: error: key is true or false, not 'maybe'"},
      {"images:\n  - file: a.bmp\n    depth: 7\n", "m.yaml:3:12: error: depth is 1, 4, 8, 16, 24 or 32, not '7'"},
      {"images:\n  - file: a.bmp\n    offest: 4\n", "m.yaml:3:5: error: unknown field 'offest' (file, key, offset, depth)"},
      {"images:\n  - key: true\n", "m.yaml:2:5: error: image entry without 'file'"},
      {"images:\n  - a.bmp\n", "m.yaml:2:5: error: an image entry is a map with at least 'file'"},
      {"images: a.bmp\n", "m.yaml:1:9: error: 'images' must be a list"},
      {"pictures: []\n", "m.yaml:1: error: the manifest needs an 'images' list"},
      {"images: []\nextra: 1\n", "m.yaml:2:1: error: unknown field 'extra'"},
  };
  for (const auto& c : cases) {
    Manifest m;
    codec::Diagnostics diag;
    EXPECT_FALSE(ParseManifest(c.text, "m.yaml", "", m, diag)) << c.text;
    EXPECT_EQ(diag.Text(), std::string(c.error) + "\n");
  }
  Manifest m;
  codec::Diagnostics diag;
  EXPECT_FALSE(ParseManifest("images:\n  - file: [a\n", "m.yaml", "", m, diag));
  EXPECT_EQ(diag.Text().rfind("m.yaml:", 0), 0u) << diag.Text();
}

TEST(PixelArt, ReadsColoursRowsAndDepth) {
  PixelArt art;
  codec::Diagnostics diag;
  ASSERT_TRUE(ParsePixelArt("# tiny\nsize 3 2\ndepth 4\ncolor . ff00ff\ncolor # 102030\npixels\n.#.\n##.  \n\n",
                            "a.txt", art, diag))
      << diag.Text();
  EXPECT_EQ(art.image.width, 3);
  EXPECT_EQ(art.image.height, 2);
  EXPECT_EQ(art.bitsPerPixel, 4);
  EXPECT_EQ(art.palette, (std::vector<std::uint32_t>{0xFF00FF, 0x102030}));
  EXPECT_EQ(art.image.pixels, (std::vector<std::uint32_t>{0xFF00FF, 0x102030, 0xFF00FF, 0x102030, 0x102030, 0xFF00FF}));
}

TEST(PixelArt, ErrorsNameTheLineAndColumn) {
  const std::string head = "size 2 2\ncolor a 000000\n";
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {head + "pixels\naa\nab\n", "a.txt:5:2: error: no colour for 'b'"},
      {head + "pixels\naaa\n", "a.txt:4: error: row is 3 characters wide, expected 2"},
      {head + "pixels\naa\n", "a.txt:4: error: 1 rows of pixels, expected 2"},
      {head + "pixels\naa\naa\naa\n", "a.txt:6: error: more rows than the height 2"},
      {head + "color a 111111\n", "a.txt:3:7: error: colour 'a' is defined twice"},
      {"size 2 2\ncolor a 12345g\n", "a.txt:2:9: error: colour '12345g' is not six hex digits RRGGBB"},
      {"size 0 2\n", "a.txt:1:6: error: width must be 1 to 4096"},
      {"size 2 x\n", "a.txt:1:8: error: height 'x' is not a number"},
      {"pixels\n", "a.txt:1:1: error: 'pixels' before 'size'"},
      {"size 2 2\ndepth 1\ncolor a 000000\ncolor b 111111\ncolor c 222222\npixels\n",
       "a.txt:6:1: error: 3 colours do not fit depth 1"},
      {"size 2 2\n", "a.txt:1: error: no 'pixels' section"},
      {"sise 2 2\n",
       "a.txt:1:1: error: expected 'size W H', 'depth N', 'color C RRGGBB' or 'pixels', not 'sise 2 2'"},
  };
  for (const auto& c : cases) {
    PixelArt art;
    codec::Diagnostics diag;
    EXPECT_FALSE(ParsePixelArt(c.text, "a.txt", art, diag)) << c.text;
    EXPECT_EQ(diag.Text(), std::string(c.error) + "\n");
    EXPECT_TRUE(art.image.pixels.empty());
  }
}

}  // namespace
}  // namespace respack
