// The one-line text input of the network dialog and its caret.

#include <cstring>

#include "host/canvas.h"
#include "host/host_reset.h"
#include "host/msg.h"
#include "host/net.h"
#include "host/text.h"

uint16_t caretX = 0;
uint16_t caretY = 0;
uint16_t caretWidth = 0;
uint16_t caretHeight = 0;
uint8_t caretHidden = 1;

namespace {

constexpr uint16_t kCaretWidth = 1;
constexpr uint16_t kCaretHeight = 16;
constexpr int kMaxCharacters = 15;
constexpr std::size_t kBufferSize = kMaxCharacters + 1;
constexpr uint32_t kKeyBackspace = 8;
constexpr uint32_t kFirstCharacter = 32;
constexpr uint32_t kLastCharacter = 127;
constexpr uint32_t kWhite = 0xFFFFFF;

// Shows a hidden caret, hides a shown one.
void FlipCaret() {
  InvertRect(int16_t(caretX), int16_t(caretY), int16_t(caretX + caretWidth - 1),
             int16_t(caretY + caretHeight - 1), nullptr);
  caretHidden ^= 1;
}

uint8_t CurrentSecond() {
  DateTime now;
  GetDateTime(&now);
  return now.second;
}

struct Line {
  int16_t x;
  int16_t y;
  FontMetrics font;
  char* buffer;
  int length;

  int16_t CellX(int index) const { return int16_t(x + index * font.charWidth); }
};

// The caret goes (hidden) to the new end first: drawing under a shown caret
// and hiding it afterwards would leave an inverted column in the text.
void Append(Line& line, char character) {
  CaretMove(uint16_t(line.CellX(line.length + 1)), uint16_t(line.y));
  const char text[2] = {character, '\0'};
  DrawText(line.CellX(line.length), line.y, text, nullptr);
  line.buffer[line.length++] = character;
}

void EraseLast(Line& line) {
  CaretMove(uint16_t(line.CellX(line.length - 1)), uint16_t(line.y));
  FillRectColor(line.x, line.y, int16_t(line.CellX(line.length) - 1),
                int16_t(line.y + line.font.lineHeight - 1), kWhite, nullptr);
  line.buffer[--line.length] = '\0';
  DrawText(line.x, line.y, line.buffer, nullptr);
}

bool IsTypedCharacter(const Message& message) {
  return message.type == MsgChar && message.wParam >= kFirstCharacter &&
         message.wParam <= kLastCharacter;
}

// 1 Enter, 0 Escape or F2, -1 for any other Message (handled here).
int Take(Line& line, const Message& message) {
  if (message.type == MsgKeyDown) {
    if (message.wParam == kKeyEnter) return 1;
    if (message.wParam == kKeyEscape || message.wParam == kKeyF2) return 0;
    if (message.wParam == kKeyBackspace && line.length > 0) EraseLast(line);
  } else if (IsTypedCharacter(message) && line.length < kMaxCharacters) {
    // Every character Message counts once: the viewer sends each character once.
    Append(line, char(message.wParam));
  }
  return -1;
}

void ResetCaret() {
  caretX = caretY = caretWidth = caretHeight = 0;
  caretHidden = 1;
}

}  // namespace

void CaretMove(uint16_t x, uint16_t y) {
  if (!caretHidden) FlipCaret();
  caretX = x;
  caretY = y;
}

void CaretHide() {
  if (!caretHidden) FlipCaret();
  caretX = caretY = caretWidth = caretHeight = 0;
}

int InputLine(int16_t x, int16_t y, char* buffer) {
  if (!buffer) return 0;
  std::memset(buffer, 0, kBufferSize);
  Line line{x, y, {}, buffer, 0};
  GetFontMetrics(&line.font, nullptr);
  CaretMove(uint16_t(x), uint16_t(y));
  caretWidth = kCaretWidth;
  caretHeight = kCaretHeight;
  FlipCaret();
  uint8_t second = CurrentSecond();
  for (;;) {
    // The caret blinks with the clock's second, looked at between Messages.
    if (const uint8_t now = CurrentSecond(); now != second) {
      FlipCaret();
      second = now;
    }
    Message message;
    const int result = GetMsg(&message) ? Take(line, message) : 0;
    if (result >= 0) {
      CaretHide();
      return result;
    }
  }
}

static const bool resetRegistered = RegisterHostReset(ResetCaret);
