#include "codec/result.h"

#include <gtest/gtest.h>

#include <vector>

namespace codec {
namespace {

TEST(ResultTest, HoldsTheValueOrAnErrorWhoseTextNamesFileAndByte) {
  const Result<std::vector<int>> good = std::vector<int>{4, 5};
  ASSERT_TRUE(good);
  EXPECT_EQ((*good)[1], 5);
  const Result<int> bad = ErrorAt(1, "needs 2 values, 1 left");
  EXPECT_EQ(bad.value_or(9), 9);
  EXPECT_EQ(bad.error().Text(), "byte 1: needs 2 values, 1 left");
  EXPECT_EQ((Error{std::nullopt, "cannot open x"}).Text(), "cannot open x");
  EXPECT_EQ((Error{7, "bad mark", "a.bmp"}).Text(), "a.bmp: byte 7: bad mark");
}

}  // namespace
}  // namespace codec
