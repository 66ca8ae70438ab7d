#pragma once
// GB2312 (EUC-CN) <-> Unicode. Program text, file names and messages are
// GB2312 bytes; fonts, message boxes and terminals want Unicode.
//
// A byte below 0x80 is ASCII. A byte of 0x81 or more starts a two-byte
// character together with the byte after it; a pair that is not a GB2312
// character, a lone 0x80 and a lead byte at the very end are invalid and
// become U+FFFD (decoding) or '?' (encoding), and are counted.

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// Unicode of one two-byte GB2312 character, or 0 when (lead, trail) is not one.
char32_t Gb2312PairToUnicode(unsigned char lead, unsigned char trail);

// GB2312 bytes of `cp` (1 byte for ASCII, 2 otherwise), or an empty string
// when GB2312 has no such character.
std::string UnicodeToGb2312Char(char32_t cp);

// Whole strings. `invalid`, when given, receives the number of characters
// that were replaced. UTF-8 is decoded as codec/utf8.h validates it; each
// ill-formed stretch becomes one '?'.
std::u32string Gb2312ToUnicode(std::string_view gb, std::size_t* invalid = nullptr);
std::string Gb2312ToUtf8(std::string_view gb, std::size_t* invalid = nullptr);

// `firstInvalid`, when given, receives the byte offset in `utf8` of the first
// character that was replaced (ill-formed, or one GB2312 lacks), npos when
// none was, so that callers can point at it.
std::string Utf8ToGb2312(std::string_view utf8, std::size_t* invalid = nullptr,
                         std::size_t* firstInvalid = nullptr);

}  // namespace plat
