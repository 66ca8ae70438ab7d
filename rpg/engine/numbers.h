#pragma once
// Numbers drawn as text, for menus and for debugging.

#include <cstdint>

// `value` in `radix` (2 ... 16, digits "0123456789ABCDEF") from (x, y), one
// 8-pixel character cell a digit; x is a byte and wraps at 256. With
// `isSigned` 1 a negative value is drawn as "-" and its magnitude; with any
// other value the 32 bits are taken unsigned.
void DrawInt(uint8_t x, uint8_t y, uint32_t value, int radix, int isSigned);
// The same, as the menus call it.
void PrintInt(uint8_t x, uint8_t y, uint32_t value, int radix, int isSigned);
// PrintInt, then WaitEnterOrEsc.
void PrintIntWait(uint8_t x, uint8_t y, uint32_t value, int radix, int isSigned);
// Blanks the first 8 character cells of the top row and draws `value` in
// hexadecimal at (0, 0).
void ShowHex(uint32_t value);
// ShowHex, then WaitEnterOrEsc.
void ShowHexWait(uint32_t value);
