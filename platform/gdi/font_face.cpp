#include "platform/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <map>
#include <utility>

#include "platform/gdi/font_files.h"

namespace plat {
namespace {

bool HasStrike(FT_Face face, int height) {
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    if ((face->available_sizes[i].y_ppem + 32) >> 6 == height) return true;
  }
  return false;
}

// Zen Hei's own Latin letters are wider than half a cell, so single-byte
// characters of the Hei typeface come from its monospaced sibling. Its
// Chinese characters use the hand-tuned bitmap strikes where they exist.
FT_Face FaceForCell(Typeface typeface, int height, bool wide, std::string* error) {
  switch (typeface) {
    case Typeface::kSong:
      return AcquireFace(FaceFile::kUMing, error);
    case Typeface::kKai:
      return AcquireFace(FaceFile::kUKai, error);
    case Typeface::kHei:
      break;
  }
  if (!wide) return AcquireFace(FaceFile::kZenHeiMono, error);
  FT_Face sharp = AcquireFace(FaceFile::kZenHeiSharp, error);
  if (sharp && HasStrike(sharp, height)) return sharp;
  return AcquireFace(FaceFile::kZenHei, error);
}

bool RenderCell(Typeface typeface, int height, TextCell cell, RawGlyph* out, std::string* error) {
  const char32_t cp = CellCodeToUnicode(cell.code);
  // Control characters and codes without a character keep their cell blank.
  if (cp < 0x20 || cp == 0x7F) return false;
  FT_Face face = FaceForCell(typeface, height, cell.wide, error);
  if (!face || !RenderRawGlyph(face, height, cp, 0, out)) return false;
  const int cellWidth = cell.wide ? height : height / 2;
  const int inkWidth = out->Ink().Width();
  if (out->fromOutline && inkWidth > cellWidth) {
    RawGlyph narrowed;
    if (RenderRawGlyph(face, height, cp, static_cast<double>(cellWidth) / inkWidth, &narrowed)) {
      *out = std::move(narrowed);
    }
  }
  return true;
}

// Rows of ink relative to the baseline (negative above it), [top, bottom).
struct InkRows {
  int top = INT_MAX;
  int bottom = INT_MIN;

  void Add(const RawGlyph& raw) {
    const InkBox ink = raw.Ink();
    if (ink.Empty()) return;
    top = std::min(top, ink.y0 - raw.top);
    bottom = std::max(bottom, ink.y1 - raw.top);
  }
  bool Empty() const { return top >= bottom; }
  int Height() const { return bottom - top; }
};

// GB2312 codes of 永国和中: strokes that reach every edge of the em box.
constexpr std::uint16_t kReferenceHanzi[] = {0xD3C0, 0xB9FA, 0xBACD, 0xD6D0};

bool IsAlnum(std::uint16_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Ink rows are gathered in three sets of falling priority: Chinese
// characters, then letters and digits, then everything printable. Each set
// narrows the range of ascents left by the ones before: to the ascents that
// keep it inside the cell, or, when it is too tall, to the one that clips it
// least and most evenly. So what a tight cell loses is the top of a bracket,
// never a stroke of a character, and the tail of a g only when it must. The
// middle of the final range is taken, a spare odd row going above.
int ComputeAscent(Typeface typeface, int height, std::string* error) {
  InkRows sets[3];  // hanzi; hanzi + alnum; everything
  RawGlyph raw;
  for (std::uint16_t code : kReferenceHanzi) {
    if (!RenderCell(typeface, height, {code, true}, &raw, error)) continue;
    for (InkRows& set : sets) set.Add(raw);
  }
  for (std::uint16_t c = 0x21; c < 0x7F; ++c) {
    if (!RenderCell(typeface, height, {c, false}, &raw, error)) continue;
    if (IsAlnum(c)) sets[1].Add(raw);
    sets[2].Add(raw);
  }
  if (error && !error->empty()) return -1;
  int lo = 0;
  int hi = height;
  for (const InkRows& set : sets) {
    if (set.Empty()) continue;
    int setLo = -set.top;
    int setHi = height - set.bottom;
    if (setLo > setHi) setLo = setHi = -set.top - (set.Height() - height) / 2;
    if (setHi < lo) {
      hi = lo;
    } else if (setLo > hi) {
      lo = hi;
    } else {
      lo = std::max(lo, setLo);
      hi = std::min(hi, setHi);
    }
  }
  return lo + (hi - lo + 1) / 2;
}

struct AscentMemo {
  unsigned generation = 0;
  std::map<std::pair<Typeface, int>, int> ascents;
};

}  // namespace

bool RenderCellGlyph(Typeface typeface, int height, TextCell cell, RawGlyph* out) {
  return RenderCell(typeface, height, cell, out, nullptr);
}

int CellAscent(Typeface typeface, int height, std::string* error) {
  static AscentMemo memo;
  if (memo.generation != FontGeneration()) {
    memo.ascents.clear();
    memo.generation = FontGeneration();
  }
  const auto key = std::make_pair(typeface, height);
  if (auto it = memo.ascents.find(key); it != memo.ascents.end()) return it->second;
  std::string failure;
  const int ascent = ComputeAscent(typeface, height, &failure);
  if (ascent < 0) {
    if (error) *error = failure;
    return -1;
  }
  memo.ascents.emplace(key, ascent);
  return ascent;
}

}  // namespace plat
