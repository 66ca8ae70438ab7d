// Scripted input: key names and the messages each command stands for.

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "viewer/input_commands.h"
#include "viewer/input_map.h"
#include "viewer/key_names.h"

namespace lcd {
namespace {

bool SameKey(const std::optional<VirtualKey>& a, const std::optional<VirtualKey>& b) {
  return a && b && a->code == b->code && a->scanCode == b->scanCode && a->extended == b->extended;
}

std::string Hex(int code) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02x", code);
  return text;
}

// Every key the viewer forwards (SDL's keycodes are characters or scan codes
// with a mark) can be written in a script by its code, and by the name SDL
// gives it, in any case; each gives exactly the viewer's key. The one name
// of our own is Enter, for Return.
TEST(KeyNamesTest, EveryForwardedKeyIsWrittenByItsCodeAndItsName) {
  std::vector<SDL_Keycode> keys;
  for (int c = 1; c < 128; ++c) keys.push_back(SDL_Keycode(c));
  for (int s = 0; s < SDL_NUM_SCANCODES; ++s) keys.push_back(SDL_SCANCODE_TO_KEYCODE(s));
  int forwarded = 0, named = 0;
  for (SDL_Keycode key : keys) {
    const std::optional<VirtualKey> viewer = MapKey(key);
    if (!viewer) continue;
    ++forwarded;
    const std::string name = SDL_GetKeyName(key);
    // Keypad Enter is Enter's code on an extended key; its code gives Enter.
    if (key != SDLK_KP_ENTER) {
      EXPECT_TRUE(SameKey(ParseKey(Hex(viewer->code)), viewer)) << name;
    }
    if (!ParseKey(name)) continue;
    ++named;
    EXPECT_TRUE(SameKey(ParseKey(name), viewer)) << name;
    std::string lower = name, upper = name;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(SameKey(ParseKey(lower), viewer)) << lower;
    EXPECT_TRUE(SameKey(ParseKey(upper), viewer)) << upper;
  }
  EXPECT_EQ(named, forwarded - 2) << "only Return and Keypad Enter go by other names";
  EXPECT_TRUE(SameKey(ParseKey("Enter"), MapKey(SDLK_RETURN)));
  for (const char* unknown : {"Return", "Keypad Enter", "Ctrl", "Shift", "F1", "F13", "Home"}) {
    EXPECT_FALSE(ParseKey(unknown)) << unknown;
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
}  // namespace lcd
