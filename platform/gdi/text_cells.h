// Splits a GB2312 byte string into the fixed cells text is laid out in: a
// single-byte character takes half the font height, a two-byte character the
// full height.
#pragma once

#include <cstdint>

namespace plat {

struct TextCell {
  // A byte below 0x80 as is; a two-byte character as (lead << 8) | trail;
  // 0 for a byte that starts no valid character (drawn as a blank half cell).
  std::uint16_t code;
  bool wide;
};

constexpr bool IsGb2312Lead(std::uint8_t b) { return b >= 0xA1 && b <= 0xF7; }
constexpr bool IsGb2312Trail(std::uint8_t b) { return b >= 0xA1 && b <= 0xFE; }

// Decodes the cell that starts at text[0] (len > 0 bytes available) and
// returns how many bytes it took. A lead byte without a valid trail, and any
// other byte of 0x80 or above, is one blank half cell; decoding resumes at the
// next byte.
inline int DecodeCell(const char* text, int len, TextCell* cell) {
  const auto b = static_cast<std::uint8_t>(text[0]);
  if (b < 0x80) {
    *cell = {b, false};
    return 1;
  }
  if (IsGb2312Lead(b) && len >= 2 && IsGb2312Trail(static_cast<std::uint8_t>(text[1]))) {
    *cell = {static_cast<std::uint16_t>(b << 8 | static_cast<std::uint8_t>(text[1])), true};
    return 2;
  }
  *cell = {0, false};
  return 1;
}

// Calls f(cell) for every cell of the first len bytes of text.
template <typename F>
void ForEachCell(const char* text, int len, F&& f) {
  TextCell cell;
  for (int i = 0; i < len;) {
    i += DecodeCell(text + i, len - i, &cell);
    f(cell);
  }
}

// Width in pixels of the first len bytes of text at cell height `height`.
std::int64_t TextCellsWidth(const char* text, int len, int height);

// The Unicode code point of a cell's code, 0 when the code has no character
// (a blank cell, or a two-byte code GB2312 leaves unassigned).
char32_t CellCodeToUnicode(std::uint16_t code);

}  // namespace plat
