#pragma once
// UTF-8, validated as the Unicode standard defines it: overlong forms,
// surrogates (U+D800 to U+DFFF), code points above U+10FFFF and sequences cut
// short are ill-formed. An ill-formed stretch is reported with the length of
// its longest start that could still have begun a character (at least one
// byte), so a decoder that skips it resumes where the next character may
// start and replaces each stretch with one U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>

namespace codec {

inline constexpr char32_t kReplacementChar = 0xFFFD;

struct Utf8Char {
  char32_t code = kReplacementChar;  // the code point; U+FFFD when not valid
  std::size_t length = 1;            // bytes taken, 1 to 4
  bool valid = false;
};

// Decodes the character that starts at text[at] (at < text.size()).
constexpr Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t extra = 0;
  char32_t code = 0;
  // Range of the second byte; the others are 0x80 to 0xBF. The narrow
  // ranges after E0, ED, F0 and F4 rule out overlong forms, surrogates and
  // code points above U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {};
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    if (at + k >= text.size()) return {kReplacementChar, k, false};
    const unsigned char b = byte(k);
    if (b < low || b > high) return {kReplacementChar, k, false};
    code = code << 6 | (b & 0x3F);
    low = 0x80, high = 0xBF;
  }
  return {code, extra + 1, true};
}

// Offset of the first ill-formed byte, or npos when all of `text` is UTF-8.
constexpr std::size_t FindInvalidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    if (!c.valid) return at;
    at += c.length;
  }
  return std::string_view::npos;
}

// Characters in text[0, end): each ill-formed stretch counts as one, as it
// shows as one U+FFFD. Columns in messages count this way.
constexpr std::size_t CountUtf8Chars(std::string_view text,
                                     std::size_t end = std::string_view::npos) {
  if (end > text.size()) end = text.size();
  std::size_t count = 0;
  for (std::size_t at = 0; at < end; ++count) at += DecodeUtf8(text, at).length;
  return count;
}

// Appends `code` as UTF-8; a surrogate or a value above U+10FFFF as U+FFFD.
inline void AppendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacementChar;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | code >> 6));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | code >> 12));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | code >> 18));
    out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace codec
