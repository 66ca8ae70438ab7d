// Scripted input: key names and the messages each command stands for.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "drive/input_commands.h"
#include "drive/key_names.h"

namespace drive {
namespace {

std::string Hex(int code) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02x", code);
  return text;
}

// Every key of the viewer's keyboard can be written in a script by its code,
// in hex and in decimal, and gives exactly that key.
TEST(KeyNamesTest, EveryKeyIsWrittenByItsCode) {
  int keys = 0;
  for (int code = 1; code <= 254; ++code) {
    const std::optional<VirtualKey> key = KeyOfCode(code);
    if (!key) continue;
    ++keys;
    EXPECT_EQ(key->code, code);
    EXPECT_EQ(ParseKey(Hex(code)), key) << code;
    // One digit alone is the digit's key.
    if (code >= 10) {
      EXPECT_EQ(ParseKey(std::to_string(code)), key) << code;
    }
  }
  EXPECT_GT(keys, 0);
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

std::vector<InputMessage> Messages(const char* command, std::vector<std::string> args) {
  std::vector<InputMessage> out;
  std::string error;
  EXPECT_TRUE(InputCommandMessages(command, args, &out, &error)) << command << ": " << error;
  return out;
}

bool Same(const std::vector<InputMessage>& got, const std::vector<InputMessage>& want) {
  if (got.size() != want.size()) return false;
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got[i].message != want[i].message || got[i].wParam != want[i].wParam ||
        got[i].lParam != want[i].lParam) {
      return false;
    }
  }
  return true;
}

TEST(InputCommandsTest, EachCommandGivesTheViewersMessages) {
  // Enter: scan code 0x1C; up sets the previous-state and transition bits.
  EXPECT_TRUE(Same(Messages("key", {"Enter"}), {{0x100, 13, 0x001C0001}}));
  EXPECT_TRUE(Same(Messages("keyup", {"Enter"}), {{0x101, 13, 0xC01C0001}}));
  // "A" and the two GB2312 bytes of a Chinese character, each one message.
  EXPECT_TRUE(Same(Messages("type", {"A\xE4\xB8\xAD"}), {{1128, 'A', 1}, {1128, 0xD6D0, 1}}));
  const uint32_t point = 54u << 16 | 21u;
  EXPECT_TRUE(Same(Messages("click", {"21", "54"}), {{0x201, 1, point}, {0x202, 0, point}}));
  EXPECT_TRUE(Same(Messages("dblclick", {"21", "54"}),
                   {{0x201, 1, point}, {0x202, 0, point}, {0x203, 1, point}, {0x202, 0, point}}));
  EXPECT_TRUE(Same(Messages("post", {"258", "0x41", "1"}), {{258, 65, 1}}));
}

TEST(InputCommandsTest, BadArgumentsGiveNoMessages) {
  const struct {
    const char* command;
    std::vector<std::string> args;
  } cases[] = {
      {"key", {}},          {"key", {"Ctrl"}},          {"keyup", {"a", "b"}},
      {"type", {}},         {"click", {"1"}},           {"click", {"1", "65536"}},
      {"dblclick", {"x", "1"}}, {"post", {"258", "1"}}, {"post", {"65536", "0", "0"}},
      {"post", {"1", "0x100000000", "0"}}, {"post", {"1", "-1", "0"}}, {"press", {"A"}},
  };
  for (const auto& c : cases) {
    std::vector<InputMessage> out{{1, 2, 3}};
    std::string error;
    EXPECT_FALSE(InputCommandMessages(c.command, c.args, &out, &error)) << c.command;
    EXPECT_FALSE(error.empty()) << c.command;
    EXPECT_EQ(out.size(), 1u) << c.command;
  }
  EXPECT_FALSE(IsInputCommand("press"));
  EXPECT_TRUE(IsInputCommand("post"));
}

}  // namespace
}  // namespace drive
