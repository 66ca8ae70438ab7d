#pragma once
// The yes/no question box of the save screen.

#include <cstdint>

inline constexpr uint8_t kAnswerYes = 0;
inline constexpr uint8_t kAnswerNo = 1;

// Asks `text` with "是" (0) or "否" (1) highlighted first as `initial` says;
// Left selects yes, Right no, Enter answers. Message 273 sets runStatus 254
// and answers no.
uint8_t AskYesNo(uint8_t initial, const char* text);
