#pragma once
// Text on the screen and clearing, as every screen of the game uses them.
// Texts are GB2312: a byte of 129 or more starts a two-byte character, 16
// pixels wide; other characters are 8 pixels wide.

#include <cstdint>
#include <span>

void DrawString(int16_t x, int16_t y, const char* text);
// One single-byte character, in the screen's current back mode.
void DrawCharAt(int16_t x, int16_t y, char ch);
// One two-byte character, the same way.
void DrawWideCharAt(int16_t x, int16_t y, const char* twoBytes);

inline constexpr int kTextRowBytes = 20;

// Rows of 20 bytes from `text`, row i at (x, y + 16 i), up to and including
// the first row that starts with a zero byte or at the text's end (drawn
// empty). A row stops at a zero byte or the text's end, after 20 bytes at most.
void DrawTextRows(int16_t x, int16_t y, std::span<const uint8_t> text);

// The screen white.
void ClearScreen();
// The inclusive rectangle white on the screen.
void ClearRect(int16_t x0, int16_t y0, int16_t x1, int16_t y1);

// True when `byte` starts a two-byte character.
inline bool IsLeadByte(uint8_t byte) { return byte >= 0x81; }
