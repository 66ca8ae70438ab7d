#pragma once
// How the viewer's input reaches the host window, whoever stands for its
// user (the viewer's display, simctl, a replay): keys become WM_KEYDOWN /
// WM_KEYUP with Windows virtual-key codes and key data, typed text becomes
// one kHostCharMessage per character, and clicks become left-button messages
// at screen pixels (see protocol/messages.h).

#include <cstdint>
#include <string_view>
#include <vector>

namespace drive {

struct VirtualKey {
  int code;          // the virtual-key code
  int scanCode;      // the keyboard's scan code (set 1)
  bool extended;     // an extended key (arrows, Page Up/Down, keypad Enter)

  bool operator==(const VirtualKey&) const = default;
};

// Key data (lParam) of a key message: repeat count 1 in bits 0-15, scan code
// in bits 16-23, extended in bit 24, previous state in bit 30 (1 for a
// repeated down and for every up), transition in bit 31 (1 for up).
uint32_t KeyData(const VirtualKey& key, bool up, bool repeat);

struct ForwardedChar {
  uint32_t wParam;  // the byte of a one-byte character; lead << 8 | trail for two
  uint32_t lParam;
};

// The forwarded characters of typed UTF-8 text in GB2312. Characters GB2312
// lacks, and ill-formed UTF-8 (overlong forms, surrogates), are dropped.
// `keyData` is the lParam given to each, that of the key that typed them as a
// WM_CHAR would carry.
std::vector<ForwardedChar> TextToChars(std::string_view utf8, uint32_t keyData);

// lParam of a button message: x in the low 16 bits, y in the high 16 bits.
uint32_t PointerData(int x, int y);

}  // namespace drive
