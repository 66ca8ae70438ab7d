#include "drive/input_map.h"

#include "codec/bytes.h"
#include "codec/utf8.h"
#include "platform/sys/gb2312.h"

namespace drive {

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

}  // namespace drive
