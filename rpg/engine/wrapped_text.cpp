#include "rpg/engine/wrapped_text.h"

#include <algorithm>
#include <string>

#include "rpg/engine/ui_text.h"

namespace {

constexpr int kMaxLines = 13;
constexpr int kCell = 8;
constexpr int kRowHeight = 16;

struct Line {
  std::size_t start;
  std::size_t length;
};

// Cuts the text into lines of at most `width` bytes (width is 2 or more).
int LayOut(std::span<const uint8_t> text, std::size_t width, Line (&lines)[kMaxLines]) {
  std::size_t at = 0;
  int count = 0;
  while (count < kMaxLines && at < text.size() && text[at] != 0) {
    std::size_t end = at;
    while (end < text.size() && text[end] != 0) {
      const std::size_t size = IsLeadByte(text[end]) && end + 1 < text.size() ? 2 : 1;
      if (end - at + size > width) break;
      end += size;
    }
    lines[count++] = {at, end - at};
    at = end;
  }
  return count;
}

}  // namespace

int DrawWrapped(int16_t x0, int16_t y0, int16_t x1, int16_t y1, int firstLine,
                std::span<const uint8_t> text) {
  const int width = (x1 - x0 + 1) / kCell;
  const int rows = (y1 - y0 + 1) / kRowHeight;
  if (x1 - x0 + 1 < kRowHeight || rows < 1) return firstLine;
  Line lines[kMaxLines];
  const int count = LayOut(text, std::size_t(width), lines);
  firstLine = std::max(firstLine, 0);
  if (firstLine >= count - 1) firstLine = std::max(0, count - rows);
  int last = 0;
  for (int row = 0; row < rows && firstLine + row < count; ++row) {
    const Line& line = lines[firstLine + row];
    // The line and its terminating zero, however wide the box.
    const std::string shown(text.begin() + std::ptrdiff_t(line.start),
                            text.begin() + std::ptrdiff_t(line.start + line.length));
    DrawString(x0, int16_t(y0 + kRowHeight * row), shown.c_str());
    last = row;
  }
  return firstLine + last;
}
