#include "platform/sys/gb2312.h"

#include <gtest/gtest.h>

#include "codec/utf8.h"

namespace plat {
namespace {

using codec::kReplacementChar;

// UTF-8 written as escapes: the literal "共享内存" in this file is GB2312.
const std::string kScreenBlockUtf8 = "\xE5\x85\xB1\xE4\xBA\xAB\xE5\x86\x85\xE5\xAD\x98";

TEST(Gb2312Test, ConvertsBothWays) {
  std::size_t invalid = 99;
  EXPECT_EQ(Gb2312ToUtf8("共享内存", &invalid), kScreenBlockUtf8);
  EXPECT_EQ(invalid, 0u);
  EXPECT_EQ(Utf8ToGb2312(kScreenBlockUtf8, &invalid), "共享内存");
  EXPECT_EQ(invalid, 0u);
  EXPECT_EQ(Gb2312ToUtf8("Can not call Snd Proc!"), "Can not call Snd Proc!");
  EXPECT_EQ(Gb2312ToUnicode("A宋"), (std::u32string{U'A', U'\u5B8B'}));
  EXPECT_EQ(Gb2312ToUtf8(""), "");
}

TEST(Gb2312Test, EveryCharacterOfTheTableRoundTrips) {
  int characters = 0;
  for (int lead = 0xA1; lead <= 0xFE; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      char32_t cp = Gb2312PairToUnicode(lead, trail);
      if (cp == 0) continue;
      ++characters;
      ASSERT_EQ(UnicodeToGb2312Char(cp), std::string({char(lead), char(trail)})) << lead << "," << trail;
    }
  }
  // 6763 Chinese characters and 682 other symbols.
  EXPECT_EQ(characters, 7445);
}

TEST(Gb2312Test, InvalidBytesAreReplacedAndCounted) {
  std::size_t invalid = 0;
  // A lone 0x80, an unassigned pair, a lead byte with an ASCII byte after it
  // (taken together, as the two-byte rule says), and a lead byte at the end.
  std::string bytes = "a\x80" "b\xAA\xA1" "c\xB0" "d\xB0";
  EXPECT_EQ(Gb2312ToUnicode(bytes, &invalid),
            (std::u32string{U'a', kReplacementChar, U'b', kReplacementChar, U'c', kReplacementChar,
                            kReplacementChar}));
  EXPECT_EQ(invalid, 4u);
  EXPECT_EQ(Gb2312ToUtf8("\xFF\xFF"), "\xEF\xBF\xBD");
}

TEST(Gb2312Test, UnencodableAndMalformedUtf8BecomesQuestionMarks) {
  std::size_t invalid = 0;
  // The euro sign and an emoji have no GB2312 form; then a stray
  // continuation byte, a truncated sequence, an overlong '/' and a surrogate.
  std::string text = "x\xE2\x82\xAC" "y\xF0\x9F\x98\x80" "z\x80" "\xE5\x85" "\xC0\xAF" "\xED\xA0\x80";
  std::size_t first = 0;
  std::string out = Utf8ToGb2312(text, &invalid, &first);
  EXPECT_EQ(out.substr(0, 6), "x?y?z?");
  EXPECT_EQ(out.find_first_not_of("xyz?"), std::string::npos) << out;
  EXPECT_GE(invalid, 6u);
  EXPECT_EQ(first, 1u) << "the euro sign";
  EXPECT_EQ(Utf8ToGb2312(kScreenBlockUtf8, &invalid, &first), "共享内存");
  EXPECT_EQ(first, std::string::npos);
  Utf8ToGb2312("ok\xE5\x85", &invalid, &first);
  EXPECT_EQ(first, 2u) << "a sequence cut at the end";
}

}  // namespace
}  // namespace plat
