#include "codec/result.h"

#include <gtest/gtest.h>

#include <vector>

namespace codec {
namespace {

Result<std::vector<int>> FirstTwo(const std::vector<int>& in) {
  if (in.size() < 2) return ErrorAt(in.size(), "needs 2 values, " + std::to_string(in.size()) + " left");
  return std::vector<int>(in.begin(), in.begin() + 2);
}

TEST(ResultTest, HoldsTheValueOrAnErrorNamingTheOffset) {
  auto good = FirstTwo({4, 5, 6});
  ASSERT_TRUE(good);
  EXPECT_EQ(good->size(), 2u);
  EXPECT_EQ((*good)[1], 5);

  auto bad = FirstTwo({4});
  ASSERT_FALSE(bad.has_value());
  EXPECT_EQ(bad.error().offset, 1u);
  EXPECT_EQ(bad.error().Text(), "byte 1: needs 2 values, 1 left");
  EXPECT_EQ((Error{std::nullopt, "cannot open x"}).Text(), "cannot open x");
  EXPECT_EQ((Error{7, "bad mark", "a.bmp"}).Text(), "a.bmp: byte 7: bad mark");
}

}  // namespace
}  // namespace codec
