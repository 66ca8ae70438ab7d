#include "codec/utf8.h"

#include <gtest/gtest.h>

namespace codec {
namespace {

struct DecodeCase {
  const char* what;
  std::string_view bytes;
  bool valid;
  char32_t code;       // when valid; U+FFFD otherwise
  std::size_t length;  // bytes taken
};

// Each length at its limits, and each ill-formed class with how many bytes
// one U+FFFD stands for.
TEST(Utf8Test, DecodesEachLengthAndRejectsEachIllFormedClass) {
  const DecodeCase cases[] = {
      {"NUL", std::string_view("\0", 1), true, 0, 1},
      {"last ASCII", "\x7F", true, 0x7F, 1},
      {"first of two", "\xC2\x80", true, 0x80, 2},
      {"last of two", "\xDF\xBF", true, 0x7FF, 2},
      {"first of three", "\xE0\xA0\x80", true, 0x800, 3},
      {"before surrogates", "\xED\x9F\xBF", true, 0xD7FF, 3},
      {"after surrogates", "\xEE\x80\x80", true, 0xE000, 3},
      {"last of three", "\xEF\xBF\xBF", true, 0xFFFF, 3},
      {"first of four", "\xF0\x90\x80\x80", true, 0x10000, 4},
      {"last code point", "\xF4\x8F\xBF\xBF", true, 0x10FFFF, 4},
      {"stray continuation", "\x80", false, 0, 1},
      {"overlong two bytes (C0)", "\xC0\xAF", false, 0, 1},
      {"overlong two bytes (C1)", "\xC1\xBF", false, 0, 1},
      {"overlong three bytes", "\xE0\x9F\xBF", false, 0, 1},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", false, 0, 1},
      {"high surrogate", "\xED\xA0\x80", false, 0, 1},
      {"low surrogate", "\xED\xBF\xBF", false, 0, 1},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, 0, 1},
      {"lead F5", "\xF5\x80\x80\x80", false, 0, 1},
      {"lead FF", "\xFF", false, 0, 1},
      {"two-byte cut at the end", "\xC3", false, 0, 1},
      {"three-byte cut at the end", "\xE5\xAE", false, 0, 2},
      {"four-byte cut at the end", "\xF0\x9F\x98", false, 0, 3},
      {"ASCII inside a sequence", "\xE5" "A", false, 0, 1},
      {"lead inside a sequence", "\xE5\xAE\xE5\xAE\x8B", false, 0, 2},
  };
  for (const DecodeCase& c : cases) {
    const Utf8Char got = DecodeUtf8(c.bytes, 0);
    EXPECT_EQ(got.valid, c.valid) << c.what;
    EXPECT_EQ(got.code, c.valid ? c.code : kReplacementChar) << c.what;
    EXPECT_EQ(got.length, c.length) << c.what;
  }
}

TEST(Utf8Test, FindsTheFirstIllFormedByteAndCountsCharacters) {
  EXPECT_EQ(FindInvalidUtf8("a\xE5\xAE\x8B" "b"), std::string_view::npos);
  EXPECT_EQ(FindInvalidUtf8("ab\xE5\xAE"), 2u);
  EXPECT_EQ(FindInvalidUtf8("a\xE5\xAE\x8B\xED\xA0\x80"), 4u);
  // "a", U+5B8B, a stray byte, "b": four characters; the first two end at byte 4.
  const std::string_view text = "a\xE5\xAE\x8B\x80" "b";
  EXPECT_EQ(CountUtf8Chars(text), 4u);
  EXPECT_EQ(CountUtf8Chars(text, 4), 2u);
  EXPECT_EQ(CountUtf8Chars(text, 99), 4u);
}

TEST(Utf8Test, EncodingRoundTripsAndReplacesWhatIsNoCharacter) {
  for (char32_t code : {U'\0', U'A', U'\u00E9', U'\u07FF', U'\u0800', U'\u5B8B', U'\uFFFF',
                        U'\U00010000', U'\U0001F600', U'\U0010FFFF'}) {
    std::string out;
    AppendUtf8(out, code);
    const Utf8Char back = DecodeUtf8(out, 0);
    EXPECT_TRUE(back.valid) << unsigned(code);
    EXPECT_EQ(back.code, code);
    EXPECT_EQ(back.length, out.size());
  }
  std::string out;
  for (char32_t bad : {char32_t(0xD800), char32_t(0xDFFF), char32_t(0x110000)}) AppendUtf8(out, bad);
  EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace codec
