#include "codec/hex.h"

#include <gtest/gtest.h>

namespace codec {
namespace {

TEST(HexTest, EncodesBytesInEitherCaseAndEveryByteRoundTrips) {
  EXPECT_EQ(HexEncode(std::string_view("\x00\x7F\x80\xFF", 4)), "007f80ff");
  EXPECT_EQ(HexEncode(std::string_view("\xAB\x0C", 2), HexCase::kUpper), "AB0C");
  EXPECT_EQ(HexEncode(std::string_view()), "");
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(char(b));
  EXPECT_EQ(HexDecode<std::string>(HexEncode(all)), all);
  EXPECT_EQ(HexDecode<std::string>(HexEncode(all, HexCase::kUpper)), all);
}

TEST(HexTest, DecodesEvenRunsOfDigitsOnly) {
  struct Case {
    const char* hex;
    std::optional<std::string> bytes;
  };
  const Case cases[] = {
      {"", std::string()},
      {"00ff", std::string("\x00\xFF", 2)},
      {"aBcD", std::string("\xAB\xCD")},
      {"53696d", std::string("Sim")},
      {"5", std::nullopt},     // odd count
      {"4g", std::nullopt},    // not a digit
      {"41 42", std::nullopt}, // blanks are not skipped
      {"0x41", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HexDecode<std::string>(c.hex), c.bytes) << c.hex;
  EXPECT_EQ(HexDecode("01fe"), (std::vector<std::uint8_t>{0x01, 0xFE}));
}

TEST(HexTest, NumbersKeepTheirWidth) {
  EXPECT_EQ(HexNumber(0x1A, 4), "001a");
  EXPECT_EQ(HexNumber(0xFFFF00FFu, 8, HexCase::kUpper), "FFFF00FF");
  EXPECT_EQ(HexNumber(0x12345, 4), "2345");  // the last digits only
  EXPECT_EQ(HexNumber(7, 0), "");
}

}  // namespace
}  // namespace codec
