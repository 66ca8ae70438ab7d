#include "platform/gdi/text_cells.h"

#include "platform/sys/gb2312.h"

namespace plat {

std::int64_t TextCellsWidth(const char* text, int len, int height) {
  std::int64_t width = 0;
  ForEachCell(text, len, [&](TextCell cell) { width += cell.wide ? height : height / 2; });
  return width;
}

char32_t CellCodeToUnicode(std::uint16_t code) {
  if (code < 0x80) return code;
  return Gb2312PairToUnicode(static_cast<unsigned char>(code >> 8),
                             static_cast<unsigned char>(code & 0xFF));
}

}  // namespace plat
