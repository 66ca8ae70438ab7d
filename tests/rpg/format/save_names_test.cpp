#include "rpg/format/save_names.h"

#include <gtest/gtest.h>

#include <string>

namespace rpgfmt::save {
namespace {

TEST(SaveNames, EveryFileOfASlotAndOfAParkedMember) {
  using K = SaveFileKind;
  const std::string title("Velmor\0xx", 9);
  const struct {
    std::string_view title;
    K kind;
    int n;
    std::string name;
  } cases[] = {
      {title, K::kMain, 0, "..\\Save\\Velmor0.sav"},
      {title, K::kMember, 0, "..\\Save\\Velmor1.sav"},
      {title, K::kMain, 2, "..\\Save\\Velmor4.sav"},
      {title, K::kMember, 2, "..\\Save\\Velmor5.sav"},
      {title, K::kParked, 1, "..\\Save\\Velmor\x95.savt"},
      {title, K::kParked, 25, "..\\Save\\Velmor\xAD.savt"},
      {"LongTitle9", K::kMain, 1, "..\\Save\\LongTitl2.sav"},
      {"a/b\\c\x1F\x80", K::kMain, 0, "..\\Save\\a_b_c_\x80" "0.sav"},
      {"", K::kMember, 1, "..\\Save\\3.sav"},
      // Out of range: no name at all.
      {title, K::kMain, 3, ""},
      {title, K::kMember, -1, ""},
      {title, K::kParked, 0, ""},
      {title, K::kParked, 26, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SaveFileName(c.title, c.kind, c.n), c.name) << c.title << " " << c.n;
  }
}

TEST(SaveNames, TitlesThatNeedNoStandIn) {
  EXPECT_TRUE(TitleIsFileSafe("Velmor"));
  EXPECT_TRUE(TitleIsFileSafe(std::string("ab\0/", 4)));  // bytes after the zero are not used
  EXPECT_TRUE(TitleIsFileSafe("12345678/"));                // nor those after the eighth
  EXPECT_FALSE(TitleIsFileSafe("a/b"));
  EXPECT_FALSE(TitleIsFileSafe("a\\b"));
  EXPECT_FALSE(TitleIsFileSafe("a\tb"));
}

}  // namespace
}  // namespace rpgfmt::save
