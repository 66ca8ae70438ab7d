#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/gdi/font.h"
#include "platform/gdi/glyph_cache.h"
#include "platform/gdi/glyph_render.h"
#include "platform/gdi/text_cells.h"
#include "tests/platform/gdi/canvas_fixture.h"
#include "tests/support/scratch.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

struct FaceCase {
  const char* face;
  Typeface typeface;
};
constexpr FaceCase kFaces[] = {
    {"宋体", Typeface::kSong}, {"楷体_GB2312", Typeface::kKai}, {"黑体", Typeface::kHei}};
constexpr int kHeights[] = {12, 16, 24};

using test::MakeFont;

TEST(Font, FaceNamesAndFallbacks) {
  EXPECT_EQ(TypefaceFromName("楷体"), Typeface::kKai);
  for (const FaceCase& c : kFaces) EXPECT_EQ(TypefaceFromName(c.face), c.typeface) << c.face;
  for (const char* other : {"黑体 ", "Courier", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(TypefaceFromName(other), Typeface::kSong) << (other ? other : "(null)");
  }
}

// Runs `check` with the fonts locked for each face at each of the three heights.
template <class Check>
void ForEachFont(Check check) {
  for (const FaceCase& faceCase : kFaces) {
    for (int height : kHeights) {
      HFONT font = MakeFont(height, faceCase.face);
      ASSERT_NE(font, nullptr);
      auto lock = LockFonts();
      check(faceCase, height, *font);
      lock.unlock();
      DeleteObject(font);
    }
  }
}

TEST(Font, HeightsAreNormalised) {
  const std::pair<int, int> cases[] = {{0, kDefaultFontHeight}, {-16, 16}, {13, 13},
                                       {1, kMinFontHeight},     {-2, kMinFontHeight},
                                       {5000, kMaxFontHeight},  {INT_MIN, kMaxFontHeight}};
  for (auto [requested, cell] : cases) {
    HFONT font = MakeFont(requested, "黑体");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->height, cell) << requested;
    EXPECT_EQ(FontMetrics(*font).tmAveCharWidth, cell / 2);
    DeleteObject(font);
  }
}

TEST(Font, DefaultFontIsSharedStockSong) {
  HFONT font = DefaultFont();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font, DefaultFont());
  EXPECT_EQ(font->typeface, Typeface::kSong);
  EXPECT_EQ(font->height, kDefaultFontHeight);
  EXPECT_EQ(DeleteObject(font), 1);  // stock: left alone
  EXPECT_EQ(DefaultFont()->height, kDefaultFontHeight);
}

// Each font must show every stroke of a Chinese character: the ascent keeps
// their rows inside the cell, and no column is lost either.
TEST(Font, ChineseCharactersAreNeverClipped) {
  const char* sample = "永国和中说藏龙鼎";
  ForEachFont([&](const FaceCase& faceCase, int height, const Font& font) {
    ForEachCell(sample, static_cast<int>(std::strlen(sample)), [&](TextCell cell) {
      RawGlyph raw;
      ASSERT_TRUE(RenderCellGlyph(faceCase.typeface, height, cell, &raw));
      const Glyph& glyph = CachedGlyph(faceCase.typeface, height, font.ascent, cell);
      int rawPixels = 0;
      for (std::uint8_t p : raw.pixels) rawPixels += p;
      int placed = 0;
      for (const GlyphRun& run : glyph.runs) placed += run.length;
      EXPECT_GT(placed, 0);
      EXPECT_EQ(placed, rawPixels) << faceCase.face << " " << height << " code " << cell.code;
    });
  });
}

// ASCII keeps its shape in half cells: wide outlines are narrowed, not cut.
TEST(Font, AsciiFitsHalfCells) {
  ForEachFont([](const FaceCase& faceCase, int height, const Font&) {
    for (std::uint16_t c = 0x21; c < 0x7F; ++c) {
      RawGlyph raw;
      ASSERT_TRUE(RenderCellGlyph(faceCase.typeface, height, {c, false}, &raw)) << c;
      EXPECT_LE(raw.Ink().Width(), height / 2) << faceCase.face << " " << height << " " << c;
    }
  });
}

TEST(Font, ControlAndUnassignedCodesAreBlank) {
  auto lock = LockFonts();
  for (TextCell cell : {TextCell{0, false}, TextCell{'\n', false}, TextCell{0x7F, false},
                        TextCell{0xAAA1, true}, TextCell{' ', false}}) {
    const Glyph& glyph = CachedGlyph(Typeface::kSong, 12, 11, cell);
    EXPECT_TRUE(glyph.runs.empty()) << cell.code;
    EXPECT_EQ(glyph.cellWidth, cell.wide ? 12 : 6);
  }
}

// Placement of synthetic bitmaps, independent of any font file.
RawGlyph Block(int left, int top, int width, int rows, int advance) {
  RawGlyph raw;
  raw.left = left;
  raw.top = top;
  raw.width = width;
  raw.rows = rows;
  raw.advance = advance;
  raw.pixels.assign(static_cast<size_t>(width) * rows, 1);
  return raw;
}

TEST(GlyphPlacement, InkIsMovedInsideTheCell) {
  // Hangs one column past the left edge: moved right by one.
  Glyph glyph = PlaceInCell(Block(-1, 5, 3, 2, 6), 6, 12, 10);
  ASSERT_EQ(glyph.runs.size(), 2u);
  EXPECT_EQ(glyph.runs[0].x, 0);
  EXPECT_EQ(glyph.runs[0].length, 3);
  EXPECT_EQ(glyph.runs[0].y, 5);  // baseline at 10, top 5 above it
  // Past the right edge: moved left.
  glyph = PlaceInCell(Block(4, 1, 4, 1, 6), 6, 12, 10);
  EXPECT_EQ(glyph.runs[0].x, 2);
  EXPECT_EQ(glyph.runs[0].length, 4);
  // Wider than the cell: centred and clipped on both sides.
  glyph = PlaceInCell(Block(0, 1, 10, 1, 10), 6, 12, 10);
  EXPECT_EQ(glyph.runs[0].x, 0);
  EXPECT_EQ(glyph.runs[0].length, 6);
}

TEST(GlyphPlacement, RowsAreMovedInsideOrClipped) {
  // 14 rows from 12 above the baseline to 2 below, in a 12-row cell with
  // ascent 10: the top two rows and nothing below are cut.
  Glyph glyph = PlaceInCell(Block(0, 12, 2, 14, 6), 6, 12, 10);
  ASSERT_EQ(glyph.runs.size(), 12u);
  EXPECT_EQ(glyph.runs.front().y, 0);
  EXPECT_EQ(glyph.runs.back().y, 11);
  // A 6-row descender reaching one row below the cell fits: moved up a row.
  glyph = PlaceInCell(Block(0, 3, 2, 6, 6), 6, 12, 10);
  ASSERT_EQ(glyph.runs.size(), 6u);
  EXPECT_EQ(glyph.runs.front().y, 6);
  EXPECT_EQ(glyph.runs.back().y, 11);
  // The advance box is centred: a 4-pixel advance in a 6-pixel cell.
  glyph = PlaceInCell(Block(0, 1, 1, 1, 4), 6, 12, 10);
  EXPECT_EQ(glyph.runs[0].x, 1);
}

TEST(GlyphPlacement, RunsFollowTheMask) {
  RawGlyph raw = Block(0, 1, 6, 1, 6);
  raw.pixels = {1, 1, 0, 1, 0, 1};
  const Glyph glyph = PlaceInCell(raw, 6, 12, 10);
  ASSERT_EQ(glyph.runs.size(), 3u);
  EXPECT_EQ(glyph.runs[0].length, 2);
  EXPECT_EQ(glyph.runs[1].x, 3);
  EXPECT_EQ(glyph.runs[2].x, 5);
  EXPECT_TRUE(glyph.Covers(1, 9));
  EXPECT_FALSE(glyph.Covers(2, 9));
}

TEST(TextCells, DecodesGb2312Cells) {
  struct Case {
    const char* bytes;
    int len;
    std::vector<std::uint16_t> codes;  // wide exactly when >= 0x100
  };
  const Case cases[] = {
      {"A1", 2, {'A', '1'}},
      {"\xD3\xC0Z", 3, {0xD3C0, 'Z'}},
      {"\xB0", 1, {0}},                    // lead byte at the end
      {"\xB0\x41", 2, {0, 'A'}},           // lead with an ASCII trail
      {"\xB0\xFF\xB0\xA1", 4, {0, 0, 0xB0A1}},  // invalid trail, then a character
      {"\x80\xA0\xF8\xA1", 4, {0, 0, 0, 0}},    // not lead bytes
      {"\xF7\xFE", 2, {0xF7FE}},           // highest pair
      {"a\0b", 3, {'a', 0, 'b'}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint16_t> codes;
    ForEachCell(c.bytes, c.len, [&](TextCell cell) {
      EXPECT_EQ(cell.wide, cell.code >= 0x100);
      codes.push_back(cell.code);
    });
    EXPECT_EQ(codes, c.codes) << c.bytes;
  }
  EXPECT_EQ(TextCellsWidth("\xD3\xC0" "A\xB0", 4, 12), 12 + 6 + 6);
  EXPECT_EQ(TextCellsWidth("", 0, 16), 0);
}

TEST(TextCells, MapsCodesToUnicode) {
  EXPECT_EQ(CellCodeToUnicode('A'), U'A');
  EXPECT_EQ(CellCodeToUnicode(0xD3C0), U'\x6C38');  // 永
  EXPECT_EQ(CellCodeToUnicode(0xA3C1), U'\xFF21');  // full-width A
  EXPECT_EQ(CellCodeToUnicode(0xAAA1), 0u);         // unassigned row
  EXPECT_EQ(CellCodeToUnicode(0), 0u);
}

// A font directory of our own, filled per test.
class FontDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "arphic");
    fs::create_directories(dir_ / "wqy");
    SetFontDirectory(dir_.path());
  }
  void TearDown() override { SetFontDirectory(""); }
  testsupport::ScratchDir dir_{"fonts"};
};

TEST_F(FontDirectoryTest, MissingOrUnreadableFileNamesItsPackage) {
  EXPECT_EQ(FontDirectory(), dir_.path());
  const std::pair<const char*, const char*> cases[] = {
      {"宋体", "fonts-arphic-uming"}, {"楷体_GB2312", "fonts-arphic-ukai"},
      {"黑体", "fonts-wqy-zenhei"}};
  for (bool unreadable : {false, true}) {
    if (unreadable) dir_.Write("arphic/uming.ttc", "not a font");
    for (auto [face, package] : cases) {
      EXPECT_EQ(MakeFont(12, face), nullptr);
      const std::string error = LastFontError();
      EXPECT_NE(error.find(package), std::string::npos) << error;
      EXPECT_NE(error.find(dir_.path()), std::string::npos) << error;
    }
  }
}

TEST_F(FontDirectoryTest, FilesAreFoundInTheGivenDirectory) {
  fs::create_symlink("/usr/share/fonts/truetype/arphic/ukai.ttc", dir_ / "arphic/ukai.ttc");
  HFONT kai = MakeFont(16, "楷体_GB2312");
  ASSERT_NE(kai, nullptr) << LastFontError();
  EXPECT_EQ(LastFontError(), "");
  EXPECT_EQ(MakeFont(16, "宋体"), nullptr);
  DeleteObject(kai);
}

}  // namespace
}  // namespace plat
