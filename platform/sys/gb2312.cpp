#include "platform/sys/gb2312.h"

#include <array>
#include <iconv.h>
#include <unordered_map>

namespace plat {
namespace {

// EUC-CN places the 94 x 94 GB2312 grid at lead and trail bytes 0xA1..0xFE.
constexpr unsigned kFirst = 0xA1;
constexpr unsigned kRows = 94;

struct Tables {
  std::array<char16_t, kRows * kRows> toUnicode{};  // 0 = unassigned
  std::unordered_map<char32_t, char16_t> fromUnicode;  // value: lead << 8 | trail
};

// Asks iconv once for every cell of the grid; conversions afterwards are
// table lookups, cheap enough for per-glyph use by the font code.
Tables BuildTables() {
  Tables t;
  iconv_t cd = iconv_open("UTF-32LE", "GB2312");
  if (cd == reinterpret_cast<iconv_t>(-1)) return t;
  for (unsigned row = 0; row < kRows; ++row) {
    for (unsigned col = 0; col < kRows; ++col) {
      char in[2] = {char(kFirst + row), char(kFirst + col)};
      unsigned char out[4] = {};
      char* inPtr = in;
      char* outPtr = reinterpret_cast<char*>(out);
      std::size_t inLeft = 2, outLeft = 4;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) continue;
      if (outLeft != 0) continue;
      char32_t cp = char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16;
      if (cp == 0 || cp > 0xFFFF) continue;
      t.toUnicode[row * kRows + col] = char16_t(cp);
      t.fromUnicode.emplace(cp, char16_t((kFirst + row) << 8 | (kFirst + col)));
    }
  }
  iconv_close(cd);
  return t;
}

const Tables& GetTables() {
  static const Tables tables = BuildTables();
  return tables;
}

// Decodes one UTF-8 sequence at `s[i]`, advancing `i`; 0xFFFFFFFF when malformed.
char32_t NextUtf8(std::string_view s, std::size_t& i) {
  constexpr char32_t kBad = 0xFFFFFFFF;
  unsigned char b0 = s[i++];
  if (b0 < 0x80) return b0;
  int extra;
  char32_t cp;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    return kBad;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return kBad;
    unsigned char b = s[i];
    if ((b & 0xC0) != 0x80) return kBad;
    cp = cp << 6 | (b & 0x3F);
    ++i;
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kBad;
  return cp;
}

}  // namespace

char32_t Gb2312PairToUnicode(unsigned char lead, unsigned char trail) {
  if (lead < kFirst || lead > 0xFE || trail < kFirst || trail > 0xFE) return 0;
  return GetTables().toUnicode[(lead - kFirst) * kRows + (trail - kFirst)];
}

std::string UnicodeToGb2312Char(char32_t cp) {
  if (cp < 0x80) return std::string(1, char(cp));
  const auto& from = GetTables().fromUnicode;
  auto it = from.find(cp);
  if (it == from.end()) return {};
  return {char(it->second >> 8), char(it->second & 0xFF)};
}

std::u32string Gb2312ToUnicode(std::string_view gb, std::size_t* invalid) {
  std::u32string out;
  std::size_t bad = 0;
  for (std::size_t i = 0; i < gb.size();) {
    unsigned char lead = gb[i];
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    // 0x80 never leads; any other high byte takes the next byte with it.
    char32_t cp = 0;
    if (lead == 0x80 || i + 1 >= gb.size()) {
      ++i;
    } else {
      cp = Gb2312PairToUnicode(lead, gb[i + 1]);
      i += 2;
    }
    if (cp == 0) {
      cp = kReplacementChar;
      ++bad;
    }
    out.push_back(cp);
  }
  if (invalid) *invalid = bad;
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | cp >> 6));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | cp >> 12));
    out.push_back(char(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | cp >> 18));
    out.push_back(char(0x80 | (cp >> 12 & 0x3F)));
    out.push_back(char(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

std::string Gb2312ToUtf8(std::string_view gb, std::size_t* invalid) {
  std::string out;
  out.reserve(gb.size() * 3 / 2);
  for (char32_t cp : Gb2312ToUnicode(gb, invalid)) AppendUtf8(out, cp);
  return out;
}

std::string Utf8ToGb2312(std::string_view utf8, std::size_t* invalid) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t bad = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = NextUtf8(utf8, i);
    std::string bytes = cp == 0xFFFFFFFF ? std::string() : UnicodeToGb2312Char(cp);
    if (bytes.empty()) {
      out.push_back('?');
      ++bad;
    } else {
      out += bytes;
    }
  }
  if (invalid) *invalid = bad;
  return out;
}

}  // namespace plat
