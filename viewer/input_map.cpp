#include "viewer/input_map.h"

#include <algorithm>

#include "codec/bytes.h"
#include "codec/utf8.h"
#include "platform/sys/gb2312.h"

namespace lcd {

namespace {

struct KeyEntry {
  SDL_Keycode key;
  VirtualKey virtualKey;
};

constexpr KeyEntry kNamedKeys[] = {
    {SDLK_UP, {0x26, 0x48, true}},      {SDLK_DOWN, {0x28, 0x50, true}},
    {SDLK_LEFT, {0x25, 0x4B, true}},    {SDLK_RIGHT, {0x27, 0x4D, true}},
    {SDLK_RETURN, {0x0D, 0x1C, false}}, {SDLK_KP_ENTER, {0x0D, 0x1C, true}},
    {SDLK_ESCAPE, {0x1B, 0x01, false}}, {SDLK_PAGEUP, {0x21, 0x49, true}},
    {SDLK_PAGEDOWN, {0x22, 0x51, true}}, {SDLK_F2, {0x71, 0x3C, false}},
    {SDLK_BACKSPACE, {0x08, 0x0E, false}}, {SDLK_SPACE, {0x20, 0x39, false}},
};

// Scan codes of the letters A to Z and of the digits 0 to 9 on a US keyboard.
constexpr uint8_t kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                     0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                     0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
constexpr uint8_t kDigitScan[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};

}  // namespace

std::optional<VirtualKey> MapKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) {
    const int index = key - SDLK_a;
    return VirtualKey{'A' + index, kLetterScan[index], false};
  }
  if (key >= SDLK_0 && key <= SDLK_9) {
    const int index = key - SDLK_0;
    return VirtualKey{'0' + index, kDigitScan[index], false};
  }
  for (const KeyEntry& entry : kNamedKeys) {
    if (entry.key == key) return entry.virtualKey;
  }
  return std::nullopt;
}

uint32_t KeyData(const VirtualKey& key, bool up, bool repeat) {
  uint32_t data = 1u | uint32_t(key.scanCode & 0xFF) << 16;
  if (key.extended) data |= 1u << 24;
  if (up || repeat) data |= 1u << 30;
  if (up) data |= 1u << 31;
  return data;
}

std::vector<ForwardedChar> TextToChars(std::string_view utf8, uint32_t keyData) {
  std::vector<ForwardedChar> chars;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const codec::Utf8Char c = codec::DecodeUtf8(utf8, at);
    at += c.length;
    if (!c.valid) continue;
    // One byte, or lead and trail: read as a big-endian number it is the wParam.
    const std::string gb = plat::UnicodeToGb2312Char(c.code);
    if (gb.empty()) continue;
    chars.push_back({codec::LoadBe<uint32_t>(reinterpret_cast<const uint8_t*>(gb.data()), gb.size()),
                     keyData});
  }
  return chars;
}

uint32_t PointerData(int x, int y) { return uint32_t(x & 0xFFFF) | uint32_t(y & 0xFFFF) << 16; }

int WindowToScreen(int windowCoordinate, int scale, int screenSize) {
  if (scale < 1 || screenSize < 1) return 0;
  return std::clamp(windowCoordinate / scale, 0, screenSize - 1);
}

}  // namespace lcd
