#include "rpg/engine/message_box.h"

#include <cstring>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/input.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr int kMaxLastIndex = 200;
constexpr uint32_t kBoxTickMs = 10;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

struct Box {
  int x;
  int y;
  int lines;  // the box is lines + 1 rows of 16 pixels
};

// A one-row box starts further right the shorter its text.
int ShortBoxLeft(std::size_t length) {
  if (length == 2) return 82;
  if (length >= 3 && length <= 4) return 56;
  if (length >= 5 && length <= 6) return 40;
  if (length >= 7 && length <= 8) return 24;
  if (length >= 9 && length <= 11) return 8;
  return 0;
}

Box BoxFor(std::size_t length) {
  const int last = int(length) - 1;
  const int lines = last == kMaxLastIndex ? 9 : last / 20;
  if (lines == 0) return {ShortBoxLeft(length), 64, 0};
  static constexpr int kTop[10] = {64, 64, 48, 48, 32, 32, 16, 16, 0, 0};
  return {0, kTop[lines], lines};
}

// The text in rows of at most 20 bytes, never splitting a two-byte
// character, from the box's corner down.
void DrawBoxText(const Box& box, const char* text) {
  const std::size_t length = std::strlen(text);
  int y = box.y;
  for (std::size_t start = 0; start < length; y += 16) {
    std::size_t end = start;
    while (end < length) {
      const std::size_t next = end + (IsLeadByte(uint8_t(text[end])) ? 2 : 1);
      if (next - start > std::size_t(kTextRowBytes) || next > length) break;
      end = next;
    }
    if (end == start) end = length;  // a lone lead byte at the end
    char row[kTextRowBytes + 1] = {};
    std::memcpy(row, text + start, end - start);
    DrawString(int16_t(box.x), int16_t(y), row);
    start = end;
  }
}

void DrawBox(const Box& box, const char* text) {
  const int bottom = box.y + 16 * (box.lines + 1);
  FillRectColor(int16_t(box.x), int16_t(box.y), 159, int16_t(bottom), kWhite, nullptr);
  DrawLine(int16_t(box.x), int16_t(box.y), 160, int16_t(box.y), kBlack, 0, nullptr);
  DrawLine(int16_t(box.x), int16_t(bottom), 160, int16_t(bottom), kBlack, 0, nullptr);
  DrawBoxText(box, text);
}

}  // namespace

bool ShowMessage(const char* text, int ticks) {
  const std::size_t length = std::strlen(text);
  if (int(length) - 1 > kMaxLastIndex) return false;
  const Box box = BoxFor(length);
  Canvas* kept = CanvasCreate();
  if (!kept) return false;
  CanvasCopy(kept, nullptr);
  StartTimer(kFastTimer, kBoxTickMs);
  Message m;
  int counted = 0;
  while (NextMessage(&m)) {
    bool done = m.type == MsgKeyDown;
    if (m.type == MsgTimer) done = ++counted == ticks;
    DrawBox(box, text);
    if (done) break;
  }
  StopTimer(kFastTimer);
  CanvasCopy(nullptr, kept);
  CanvasFree(kept);
  return true;
}
