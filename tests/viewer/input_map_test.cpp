#include "viewer/sdl_input.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "drive/input_map.h"
#include "drive/key_names.h"
#include "viewer/screenshot.h"
#include "viewer/viewer_options.h"

namespace lcd {
namespace {

using namespace drive;

TEST(MapKeyTest, GivesWindowsVirtualKeysAndScanCodes) {
  struct Case {
    SDL_Keycode key;
    int code;
    int scan;
    bool extended;
  };
  const Case cases[] = {
      {SDLK_LEFT, 37, 0x4B, true},      {SDLK_UP, 38, 0x48, true},
      {SDLK_RIGHT, 39, 0x4D, true},     {SDLK_DOWN, 40, 0x50, true},
      {SDLK_RETURN, 13, 0x1C, false},   {SDLK_KP_ENTER, 13, 0x1C, true},
      {SDLK_ESCAPE, 27, 0x01, false},   {SDLK_PAGEUP, 33, 0x49, true},
      {SDLK_PAGEDOWN, 34, 0x51, true},  {SDLK_F2, 113, 0x3C, false},
      {SDLK_BACKSPACE, 8, 0x0E, false}, {SDLK_SPACE, 32, 0x39, false},
      {SDLK_a, 'A', 0x1E, false},       {SDLK_q, 'Q', 0x10, false},
      {SDLK_z, 'Z', 0x2C, false},       {SDLK_0, '0', 0x0B, false},
      {SDLK_1, '1', 0x02, false},       {SDLK_9, '9', 0x0A, false},
  };
  for (const Case& c : cases) {
    std::optional<VirtualKey> key = MapKey(c.key);
    ASSERT_TRUE(key) << c.key;
    EXPECT_EQ(key->code, c.code) << c.key;
    EXPECT_EQ(key->scanCode, c.scan) << c.key;
    EXPECT_EQ(key->extended, c.extended) << c.key;
  }
}

TEST(MapKeyTest, OtherKeysAreNotForwarded) {
  for (SDL_Keycode key : {SDLK_F1, SDLK_F12, SDLK_TAB, SDLK_LSHIFT, SDLK_MINUS, SDLK_HOME}) {
    EXPECT_FALSE(MapKey(key)) << key;
  }
}

// Every key the viewer forwards (SDL's keycodes are characters or scan codes
// with a mark) can be written in a script by the name SDL gives it, in any
// case, and gives exactly the viewer's key. The one name of our own is Enter,
// for Return.
TEST(MapKeyTest, EveryForwardedKeyIsWrittenByItsName) {
  std::vector<SDL_Keycode> keys;
  for (int c = 1; c < 128; ++c) keys.push_back(SDL_Keycode(c));
  for (int s = 0; s < SDL_NUM_SCANCODES; ++s) keys.push_back(SDL_SCANCODE_TO_KEYCODE(s));
  int forwarded = 0, named = 0;
  for (SDL_Keycode key : keys) {
    const std::optional<VirtualKey> viewer = MapKey(key);
    if (!viewer) continue;
    ++forwarded;
    const std::string name = SDL_GetKeyName(key);
    if (!ParseKey(name)) continue;
    ++named;
    EXPECT_EQ(ParseKey(name), viewer) << name;
    std::string lower = name, upper = name;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(ParseKey(lower), viewer) << lower;
    EXPECT_EQ(ParseKey(upper), viewer) << upper;
  }
  EXPECT_EQ(named, forwarded - 2) << "only Return and Keypad Enter go by other names";
  EXPECT_EQ(ParseKey("Enter"), MapKey(SDLK_RETURN));
  for (const char* unknown : {"Return", "Keypad Enter", "Ctrl", "Shift", "F1", "F13", "Home"}) {
    EXPECT_FALSE(ParseKey(unknown)) << unknown;
  }
}

TEST(KeyDataTest, CarriesRepeatScanCodeAndTransitions) {
  const VirtualKey enter{13, 0x1C, false};
  const VirtualKey up{38, 0x48, true};
  EXPECT_EQ(KeyData(enter, false, false), 0x001C0001u);
  EXPECT_EQ(KeyData(enter, false, true), 0x401C0001u);
  EXPECT_EQ(KeyData(enter, true, false), 0xC01C0001u);
  EXPECT_EQ(KeyData(up, false, false), 0x01480001u);
  EXPECT_EQ(KeyData(up, true, false), 0xC1480001u);
}

TEST(TextToCharsTest, OneMessagePerCharacterInGb2312) {
  // "a", U+4E2D (GB2312 D6 D0), "!" in UTF-8.
  std::vector<ForwardedChar> chars = TextToChars("a\xE4\xB8\xAD!", 0x001E0001);
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[0].wParam, 'a');
  EXPECT_EQ(chars[1].wParam, 0xD6D0u);
  EXPECT_EQ(chars[2].wParam, '!');
  for (const ForwardedChar& c : chars) EXPECT_EQ(c.lParam, 0x001E0001u);
}

TEST(TextToCharsTest, DropsWhatGb2312LacksAndMalformedBytes) {
  // An emoji, a lone continuation byte, an overlong NUL, a surrogate, a cut
  // three-byte sequence.
  std::vector<ForwardedChar> chars =
      TextToChars("\xF0\x9F\x98\x80x\x80\xC0\x80\xED\xA0\x80y\xE4\xB8", 1);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].wParam, 'x');
  EXPECT_EQ(chars[1].wParam, 'y');
  EXPECT_TRUE(TextToChars("", 1).empty());
}

TEST(PointerTest, PacksScreenPixelsAndKeepsThemOnTheScreen) {
  EXPECT_EQ(PointerData(5, 7), 0x00070005u);
  EXPECT_EQ(PointerData(319, 239), 0x00EF013Fu);
}

TEST(HotkeyTest, TheViewersOwnKeysAndNothingElse) {
  struct Case {
    SDL_Keycode key;
    unsigned modifiers;
    std::optional<Hotkey> hotkey;
  };
  const Case cases[] = {
      {SDLK_F9, 0, Hotkey::kMark},
      {SDLK_F12, 0, Hotkey::kScreenshot},        {SDLK_F11, 0, Hotkey::kFullscreen},
      {SDLK_RETURN, KMOD_LALT, Hotkey::kFullscreen}, {SDLK_KP_ENTER, KMOD_RALT, Hotkey::kFullscreen},
      {SDLK_RETURN, 0, std::nullopt},            {SDLK_RETURN, KMOD_LCTRL, std::nullopt},
      {SDLK_PLUS, 0, Hotkey::kBigger},           {SDLK_EQUALS, KMOD_LSHIFT, Hotkey::kBigger},
      {SDLK_KP_PLUS, 0, Hotkey::kBigger},        {SDLK_MINUS, 0, Hotkey::kSmaller},
      {SDLK_KP_MINUS, 0, Hotkey::kSmaller},      {SDLK_a, KMOD_LALT, std::nullopt},
      {SDLK_F2, 0, std::nullopt},                {SDLK_ESCAPE, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HotkeyOf(c.key, c.modifiers), c.hotkey) << SDL_GetKeyName(c.key) << " " << c.modifiers;
    // A hotkey is never also a key the host gets, so it cannot leak through.
    if (c.hotkey && c.key != SDLK_RETURN && c.key != SDLK_KP_ENTER) {
      EXPECT_FALSE(MapKey(c.key)) << SDL_GetKeyName(c.key);
    }
  }
}

TEST(ViewerOptionsTest, TakesTheHostsCommandLineAndOurSwitches) {
  std::string error;
  std::optional<ViewerOptions> options =
      ParseViewerOptions({"160", "96", "--scale", "3", "--shots", "/tmp/x", "--headless"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->width, 160);
  EXPECT_EQ(options->height, 96);
  EXPECT_EQ(options->scale, 3);
  EXPECT_EQ(options->shotsDir, "/tmp/x");
  EXPECT_TRUE(options->headless);

  options = ParseViewerOptions({}, &error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->width, 320);
  EXPECT_EQ(options->height, 240);
  EXPECT_EQ(options->scale, 0);
  EXPECT_EQ(options->shotsDir, "");
}

TEST(ViewerOptionsTest, RefusesBadArguments) {
  std::string error;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"320"}, {"0", "240"}, {"320", "abc"}, {"99999", "1"}, {"--scale", "0"},
           {"--scale", "9"}, {"--scale"}, {"--bogus"}, {"1", "2", "3"}}) {
    EXPECT_FALSE(ParseViewerOptions(args, &error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(ViewerOptionsTest, DefaultScaleFitsAComfortableWindow) {
  EXPECT_EQ(DefaultScale(320, 240), 2);
  EXPECT_EQ(DefaultScale(160, 96), 4);
  EXPECT_EQ(DefaultScale(1024, 768), 1);
  EXPECT_EQ(DefaultScale(8, 8), kMaxScale);
}

TEST(ScreenshotTest, NamesFilesForTheLocalTime) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 5;
  local.tm_hour = 9;
  local.tm_min = 8;
  local.tm_sec = 7;
  local.tm_isdst = -1;
  EXPECT_EQ(ScreenshotName(std::mktime(&local)), "tovsim-20261205-090807.png");
}

}  // namespace
}  // namespace lcd
