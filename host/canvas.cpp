#include "host/canvas.h"

#include <cstdlib>

#include "host/canvas_target.h"
#include "host/lcd.h"

Canvas* CanvasCreate() {
  auto* c = static_cast<Canvas*>(std::calloc(1, sizeof(Canvas)));
  if (!c) return nullptr;
  c->width = hostScreen.width;
  c->height = hostScreen.height;
  c->bitsPerPixel = hostScreen.bitsPerPixel;
  c->dc = plat::CreateCompatibleDC(hostScreen.dc);
  if (!c->dc) {
    std::free(c);
    return nullptr;
  }
  c->bitmap = plat::CreateCompatibleBitmap(hostScreen.dc, c->width, c->height);
  if (!c->bitmap) {
    plat::DeleteDC(c->dc);
    std::free(c);
    return nullptr;
  }
  plat::SelectObject(c->dc, c->bitmap);
  return c;
}

int CanvasFree(Canvas* c) {
  if (!c) return 0;
  std::free(c->pixels);
  if (c->dc) {
    // A canvas owns the font selected into it (see SelectFont).
    plat::HGDIOBJ font = plat::GetCurrentObject(c->dc, plat::OBJ_FONT);
    plat::DeleteDC(c->dc);
    if (font) plat::DeleteObject(font);
  }
  if (c->bitmap) plat::DeleteObject(c->bitmap);
  std::free(c);
  return 1;
}

int CanvasCopy(Canvas* dst, Canvas* src) {
  int copied = plat::BitBlt(TargetDc(dst), 0, 0, hostScreen.width, hostScreen.height, TargetDc(src),
                            0, 0, plat::SRCCOPY);
  return dst ? copied : FlushScreen();
}

void CanvasCopyAt(int16_t x, int16_t y, Canvas* dst, Canvas* src) {
  plat::BitBlt(TargetDc(dst), x, y, hostScreen.width, hostScreen.height, TargetDc(src), 0, 0,
               plat::SRCCOPY);
  FinishDrawing(dst);
}

void CanvasGrab(int16_t x, int16_t y, int16_t w, int16_t h, Canvas* c) {
  if (!c) return;
  plat::BitBlt(c->dc, 0, 0, w, h, hostScreen.dc, x, y, plat::SRCCOPY);
}

void CanvasStretchOut(int16_t x, int16_t y, int16_t w, int16_t h, Canvas* c) {
  if (!c) return;
  plat::StretchBlt(hostScreen.dc, x, y, w, h, c->dc, 0, 0, w, h, plat::SRCCOPY);
  FlushScreen();
}

void FillRectColor(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, Canvas* c) {
  plat::HBRUSH brush = plat::CreateSolidBrush(color);
  const plat::RECT box{x1, y1, x2 + 1, y2 + 1};
  plat::FillRect(TargetDc(c), &box, brush);
  plat::DeleteObject(brush);
  FinishDrawing(c);
}

void CanvasClear(Canvas* c) {
  plat::HBRUSH brush = plat::CreateSolidBrush(0xFFFFFF);
  const plat::RECT box{0, 0, hostScreen.width, hostScreen.height};
  plat::FillRect(TargetDc(c), &box, brush);
  plat::DeleteObject(brush);
  FinishDrawing(c);
}

void InvertRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2, Canvas* c) {
  const int w = x2 - x1 + 1;
  const int h = y2 - y1 + 1;
  if (w < 0 || h < 0) return;
  if (w > 0 && h > 0) plat::BitBlt(TargetDc(c), x1, y1, w, h, nullptr, 0, 0, plat::DSTINVERT);
  FinishDrawing(c);
}

void PutPixel(int16_t x, int16_t y, uint32_t color, Canvas* c) {
  plat::SetPixel(TargetDc(c), x, y, color);
  FinishDrawing(c);
}

uint32_t GetPixelColor(int16_t x, int16_t y, Canvas* c) {
  return plat::GetPixel(TargetDc(c), x, y);
}

void SetBackColor(uint32_t color, Canvas* c) { plat::SetBkColor(TargetDc(c), color); }

void SetForeColor(uint32_t color, Canvas* c) { plat::SetTextColor(TargetDc(c), color); }

int SetBackMode(int32_t mode, Canvas* c) {
  plat::HDC dc = TargetDc(c);
  const int previous = plat::GetBkMode(dc);
  if (mode == plat::TRANSPARENT || mode == plat::OPAQUE) plat::SetBkMode(dc, mode);
  return previous;
}
