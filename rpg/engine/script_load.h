#pragma once
// Finding a script in the library and making it current (LoadScript, in
// script.h, is defined here): every byte of its code area that the
// interpreter reads is checked to lie inside its block and the file.

#include <cstdint>
#include <span>

// The code area of script (1, bank, no): from its code length on, up to the
// end of its block or the file. Its code length and its event table lie
// inside it. Empty, with runStatus set, for a missing script (3) or one
// running past its block or the file (2).
std::span<const uint8_t> CodeArea(uint8_t bank, uint8_t no);

// Makes `area` the current code: the code pointer and the length that
// bounds every decode.
void UseCode(std::span<const uint8_t> area);

// The current script's code, cut at its length; empty with none loaded.
std::span<const uint8_t> CurrentCode();
