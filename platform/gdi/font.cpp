#include "platform/gdi/font.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace plat {
namespace {

// Face names as the device code spells them: GB2312 bytes. Song, "宋体", is
// what every other name falls back to.
constexpr const char* kKaiNames[] = {"楷体_GB2312", "楷体"};
constexpr const char* kHeiName = "黑体";

int CellHeight(int requested) {
  if (requested == 0) return kDefaultFontHeight;
  const std::int64_t magnitude = requested < 0 ? -std::int64_t{requested} : requested;
  return static_cast<int>(std::clamp<std::int64_t>(magnitude, kMinFontHeight, kMaxFontHeight));
}

HFONT MakeFont(Typeface typeface, int height) {
  auto lock = LockFonts();
  const int ascent = CellAscent(typeface, height, nullptr);
  if (ascent < 0) return nullptr;
  return new Font(typeface, height, ascent);
}

}  // namespace

Typeface TypefaceFromName(const char* faceName) {
  if (!faceName) return Typeface::kSong;
  for (const char* kai : kKaiNames) {
    if (std::strcmp(faceName, kai) == 0) return Typeface::kKai;
  }
  if (std::strcmp(faceName, kHeiName) == 0) return Typeface::kHei;
  return Typeface::kSong;
}

HFONT CreateFontA(int height, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  DWORD, DWORD, const char* faceName) {
  return MakeFont(TypefaceFromName(faceName), CellHeight(height));
}

HFONT DefaultFont() {
  // Made on first use and kept for the process; retried while the font file
  // is missing.
  static std::mutex mutex;
  static HFONT font = nullptr;
  std::lock_guard lock(mutex);
  if (!font) {
    font = MakeFont(Typeface::kSong, kDefaultFontHeight);
    if (font) font->stock = true;
  }
  return font;
}

TEXTMETRICA FontMetrics(const Font& font) {
  TEXTMETRICA tm;
  tm.tmHeight = font.height;
  tm.tmAscent = font.ascent;
  tm.tmDescent = font.height - font.ascent;
  tm.tmAveCharWidth = font.height / 2;
  tm.tmMaxCharWidth = font.height;
  tm.tmWeight = FW_NORMAL;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFE;
  tm.tmDefaultChar = 0x20;
  tm.tmBreakChar = 0x20;
  tm.tmPitchAndFamily = static_cast<BYTE>(FF_MODERN);  // fixed pitch: the low bit clear
  tm.tmCharSet = static_cast<BYTE>(GB2312_CHARSET);
  return tm;
}

}  // namespace plat
