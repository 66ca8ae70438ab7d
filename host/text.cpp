#include "host/text.h"

#include <cstring>

#include "host/canvas_target.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text.h"

namespace {

constexpr int kFontCount = 9;
constexpr const char* kFaces[] = {"宋体", "楷体_GB2312", "黑体"};
constexpr int kHeights[] = {12, 16, 24};

plat::HFONT MakeFont(int index) {
  return plat::CreateFontA(kHeights[index / 3], 0, 0, 0, plat::FW_THIN, 0, 0, 0,
                           plat::DEFAULT_CHARSET, plat::OUT_CHARACTER_PRECIS,
                           plat::CLIP_CHARACTER_PRECIS, plat::DEFAULT_QUALITY, plat::FIXED_PITCH,
                           kFaces[index % 3]);
}

int PrintLine(plat::HDC dc, int16_t x, int16_t y, const char* str) {
  if (!str) str = "";
  return plat::TextOutA(dc, x, y, str, int(std::strlen(str)));
}

}  // namespace

void SelectFont(uint8_t index, Canvas* c) {
  if (index >= kFontCount) return;
  plat::HFONT font = MakeFont(index);
  if (!font) return;
  plat::HDC dc = TargetDc(c);
  plat::HGDIOBJ previous = plat::SelectObject(dc, static_cast<plat::HGDIOBJ>(font));
  if (!dc) {
    plat::DeleteObject(font);
    return;
  }
  // Each target owns exactly its current font; the default font is a stock
  // object, which DeleteObject leaves alone.
  if (previous) plat::DeleteObject(previous);
}

void GetFontMetrics(FontMetrics* out, Canvas* c) {
  plat::TEXTMETRICA metrics;
  if (!plat::GetTextMetricsA(TargetDc(c), &metrics)) metrics = plat::TEXTMETRICA{};
  out->charWidth = uint16_t(metrics.tmAveCharWidth);
  out->lineHeight = uint16_t(metrics.tmHeight);
}

int DrawText(int16_t x, int16_t y, const char* str, Canvas* c) {
  const int printed = PrintLine(TargetDc(c), x, y, str);
  const int flushed = FinishDrawing(c);
  return c ? printed : flushed;
}

void DrawTextMode(int16_t x, int16_t y, const char* str, Canvas* c, int32_t mode) {
  plat::HDC dc = TargetDc(c);
  const int previous = plat::GetBkMode(dc);
  plat::SetBkMode(dc, mode);
  PrintLine(dc, x, y, str);
  FinishDrawing(c);
  plat::SetBkMode(dc, previous);
}
