#include "codec/bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace codec {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::array<std::uint8_t, 4> kBytes = {0x01, 0x82, 0xC3, 0xF4};

TEST(BytesTest, LoadsReadWhatStoresAndAppendsWrite) {
  // A value, the bytes it is stored in, and those bytes in each order.
  const std::tuple<std::uint32_t, std::size_t, Bytes, Bytes> cases[] = {
      {0xF4C38201u, 4, {0x01, 0x82, 0xC3, 0xF4}, {0xF4, 0xC3, 0x82, 0x01}},
      {0x0007A120u, 3, {0x20, 0xA1, 0x07}, {0x07, 0xA1, 0x20}},
      {0xABCDu, 2, {0xCD, 0xAB}, {0xAB, 0xCD}},
      {0x1FFu, 1, {0xFF}, {0xFF}},  // narrowed: the high byte is dropped
  };
  for (const auto& [value, bytes, wantLe, wantBe] : cases) {
    Bytes le{0xEE}, be{0xEE};
    AppendLe(le, value, bytes);
    AppendBe(be, value, bytes);
    EXPECT_EQ(Bytes(le.begin() + 1, le.end()), wantLe) << value;
    EXPECT_EQ(Bytes(be.begin() + 1, be.end()), wantBe) << value;
    const std::uint32_t narrowed = value & (0xFFFFFFFFu >> (32 - 8 * bytes));
    EXPECT_EQ(LoadLe<std::uint32_t>(wantLe.data(), bytes), narrowed);
    EXPECT_EQ(LoadBe<std::uint32_t>(wantBe.data(), bytes), narrowed);
  }
  Bytes out;  // signed: two's complement
  AppendLe(out, std::int16_t(-2));
  EXPECT_EQ(out, (Bytes{0xFE, 0xFF}));
  EXPECT_EQ(LoadLe<std::int16_t>(kBytes.data() + 2), std::int16_t(0xF4C3 - 0x10000));
  static_assert(LoadLe<std::uint16_t>(kBytes.data()) == 0x8201);
}

TEST(BytesTest, CheckedFormsRefuseFieldsPastTheEnd) {
  const std::span<const std::uint8_t> b(kBytes);
  EXPECT_EQ(ReadLe<std::uint16_t>(b, 2), 0xF4C3u);  // the last whole field
  EXPECT_EQ(ReadBe<std::uint32_t>(b, 0), 0x0182C3F4u);
  EXPECT_EQ(ReadLe<std::uint16_t>(b, 3), std::nullopt);  // one byte short
  EXPECT_EQ(ReadLe<std::uint8_t>(b, 4), std::nullopt);  // just past the end
  EXPECT_EQ(ReadLe<std::uint16_t>(b, std::size_t(-1)), std::nullopt);  // no wrap-around

  std::array<std::uint8_t, 3> out{};
  EXPECT_TRUE(WriteLe(std::span(out), 1, std::uint16_t(0x1234)));
  EXPECT_EQ(out, (std::array<std::uint8_t, 3>{0, 0x34, 0x12}));
  EXPECT_FALSE(WriteLe(std::span(out), 2, std::uint16_t(0xFFFF)));
  EXPECT_EQ(out[2], 0x12) << "a refused write leaves the buffer alone";
}

}  // namespace
}  // namespace codec
