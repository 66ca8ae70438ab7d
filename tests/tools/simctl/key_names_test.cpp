#include "tools/simctl/key_names.h"

#include <gtest/gtest.h>

#include "tools/simctl/window_list.h"

namespace simctl {
namespace {

TEST(KeyNamesTest, NamesGiveTheViewersKeys) {
  struct Case {
    const char* name;
    int code;
    int scanCode;
    bool extended;
  };
  const Case cases[] = {
      {"Enter", 13, 0x1C, false},    {"escape", 27, 0x01, false},  {"LEFT", 37, 0x4B, true},
      {"Up", 38, 0x48, true},        {"Right", 39, 0x4D, true},    {"Down", 40, 0x50, true},
      {"PageUp", 33, 0x49, true},    {"PageDown", 34, 0x51, true}, {"F2", 113, 0x3C, false},
      {"Space", 32, 0x39, false},    {"Backspace", 8, 0x0E, false}, {"q", 'Q', 0x10, false},
      {"Z", 'Z', 0x2C, false},       {"0", '0', 0x0B, false},       {"9", '9', 0x0A, false},
  };
  for (const Case& c : cases) {
    std::optional<lcd::VirtualKey> key = ParseKey(c.name);
    ASSERT_TRUE(key) << c.name;
    EXPECT_EQ(key->code, c.code) << c.name;
    EXPECT_EQ(key->scanCode, c.scanCode) << c.name;
    EXPECT_EQ(key->extended, c.extended) << c.name;
  }
}

TEST(KeyNamesTest, CodesOfTwoDigitsOrMore) {
  // A known code gets its key's scan code; others none.
  EXPECT_EQ(ParseKey("13")->scanCode, 0x1C);
  EXPECT_EQ(ParseKey("0x26")->code, 0x26);
  EXPECT_TRUE(ParseKey("0x26")->extended);
  EXPECT_EQ(ParseKey("112")->code, 112);
  EXPECT_EQ(ParseKey("112")->scanCode, 0);
  for (const char* bad : {"", "00", "255", "0x", "12a", "-5", "F13", "Ctrl", "ab"}) {
    EXPECT_FALSE(ParseKey(bad)) << bad;
  }
}

TEST(WindowNameTest, DecodesClassAndTitle) {
  std::string className, title;
  ASSERT_TRUE(DecodeWindowName("53696d436c617373.53696d", &className, &title));
  EXPECT_EQ(className, "SimClass");
  EXPECT_EQ(title, "Sim");
  ASSERT_TRUE(DecodeWindowName("41.", &className, &title));
  EXPECT_EQ(title, "");
  for (const char* bad : {"53696d", "5.41", "4g.41", "41.4"}) {
    EXPECT_FALSE(DecodeWindowName(bad, &className, &title)) << bad;
  }
}

}  // namespace
}  // namespace simctl
