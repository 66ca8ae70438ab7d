// Every message a recording meets comes back from its written line exactly,
// in the shortest form that does so.

#include "drive/input_format.h"

#include <gtest/gtest.h>

#include <vector>

#include "drive/input_map.h"
#include "drive/key_names.h"

namespace drive {
namespace {

std::vector<InputMessage> ParseBack(const std::string& line) {
  std::vector<InputMessage> out;
  std::string error;
  EXPECT_TRUE(InputLineMessages(line, &out, &error)) << line << ": " << error;
  return out;
}

TEST(InputFormatTest, EveryMessageComesBackFromItsLine) {
  const VirtualKey enter = *ParseKey("enter");
  VirtualKey keypadEnter = enter;
  keypadEnter.extended = true;
  const VirtualKey a = *ParseKey("a");
  struct Case {
    InputMessage message;
    std::string line;
  };
  const Case cases[] = {
      {{0x100, 13, KeyData(enter, false, false)}, "key enter"},
      {{0x101, 13, KeyData(enter, true, false)}, "keyup enter"},
      {{0x100, 'A', KeyData(a, false, false)}, "key a"},
      {{0x100, 0x28, KeyData(*ParseKey("down"), false, false)}, "key down"},
      {{0x100, '7', KeyData(*ParseKey("7"), false, false)}, "key 7"},
      // Auto-repeat and the keypad's Enter carry data no key line gives.
      {{0x100, 13, KeyData(enter, false, true)}, "post 256 13 0x401C0001"},
      {{0x100, 13, KeyData(keypadEnter, false, false)}, "post 256 13 0x011C0001"},
      {{0x201, 1, PointerData(5, 7)}, "post 513 1 0x00070005"},
      {{0x202, 0, PointerData(319, 239)}, "post 514 0 0x00EF013F"},
      {{1128, ' ', 0x00390001}, "post 1128 32 0x00390001"},
      {{1128, 'x', 1}, "type x"},
      {{1128, 0xC4E3, 1}, "post 1128 50403 0x00000001"},
  };
  for (const Case& c : cases) {
    const std::string line = FormatInput(c.message);
    EXPECT_EQ(line, c.line);
    const std::vector<InputMessage> back = ParseBack(line);
    ASSERT_EQ(back.size(), 1u) << line;
    EXPECT_EQ(back[0].message, c.message.message) << line;
    EXPECT_EQ(back[0].wParam, c.message.wParam) << line;
    EXPECT_EQ(back[0].lParam, c.message.lParam) << line;
  }
}

TEST(InputFormatTest, KeyNamesAreTheParsersOwn) {
  for (int code = 1; code < 255; ++code) {
    const std::optional<std::string> name = KeyName(code);
    if (!name) continue;
    const std::optional<VirtualKey> key = ParseKey(*name);
    ASSERT_TRUE(key) << *name;
    EXPECT_EQ(key->code, code) << *name;
  }
  EXPECT_FALSE(KeyName(0x70));  // F1: not on the viewer's keyboard
}

}  // namespace
}  // namespace drive
