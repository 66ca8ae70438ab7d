#include "platform/sys/gb2312.h"

#include <array>
#include <iconv.h>
#include <unordered_map>

#include "codec/bytes.h"
#include "codec/utf8.h"

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
      const char32_t cp = codec::LoadLe<std::uint32_t>(out);
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
      cp = codec::kReplacementChar;
      ++bad;
    }
    out.push_back(cp);
  }
  if (invalid) *invalid = bad;
  return out;
}

std::string Gb2312ToUtf8(std::string_view gb, std::size_t* invalid) {
  std::string out;
  out.reserve(gb.size() * 3 / 2);
  for (char32_t cp : Gb2312ToUnicode(gb, invalid)) codec::AppendUtf8(out, cp);
  return out;
}

std::string Utf8ToGb2312(std::string_view utf8, std::size_t* invalid, std::size_t* firstInvalid) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t bad = 0;
  std::size_t first = std::string_view::npos;
  for (std::size_t i = 0; i < utf8.size();) {
    const codec::Utf8Char c = codec::DecodeUtf8(utf8, i);
    std::string bytes = c.valid ? UnicodeToGb2312Char(c.code) : std::string();
    if (bytes.empty()) {
      out.push_back('?');
      if (bad++ == 0) first = i;
    } else {
      out += bytes;
    }
    i += c.length;
  }
  if (invalid) *invalid = bad;
  if (firstInvalid) *firstInvalid = first;
  return out;
}

}  // namespace plat
