#include "drive/input_map.h"

#include "platform/sys/gb2312.h"

namespace drive {

namespace {

// Decodes the UTF-8 character at `at` and moves past it; a malformed
// sequence gives U+FFFD for its first byte.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  if (length == 0 || at + length > text.size()) {
    ++at;
    return plat::kReplacementChar;
  }
  char32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return plat::kReplacementChar;
    }
    point = point << 6 | (next & 0x3F);
  }
  at += length;
  return point;
}

}  // namespace

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
    const std::string gb = plat::UnicodeToGb2312Char(NextCodePoint(utf8, at));
    if (gb.size() == 1) {
      chars.push_back({uint32_t(static_cast<unsigned char>(gb[0])), keyData});
    } else if (gb.size() == 2) {
      chars.push_back({uint32_t(static_cast<unsigned char>(gb[0])) << 8 |
                           static_cast<unsigned char>(gb[1]),
                       keyData});
    }
  }
  return chars;
}

uint32_t PointerData(int x, int y) { return uint32_t(x & 0xFFFF) | uint32_t(y & 0xFFFF) << 16; }

}  // namespace drive
