#include "host/canvas_target.h"

#include "host/lcd.h"

plat::HDC TargetDc(const Canvas* c) { return c ? c->dc : hostScreen.dc; }

int FinishDrawing(const Canvas* c) { return c ? 1 : FlushScreen(); }

ScopedPenBrush::ScopedPenBrush(plat::HDC dc, plat::HPEN pen, plat::HBRUSH brush)
    : dc_(dc),
      pen_(pen),
      brush_(brush),
      oldPen_(plat::SelectObject(dc, pen)),
      oldBrush_(plat::SelectObject(dc, brush)) {}

ScopedPenBrush::~ScopedPenBrush() {
  if (oldPen_) plat::SelectObject(dc_, oldPen_);
  if (oldBrush_) plat::SelectObject(dc_, oldBrush_);
  plat::DeleteObject(pen_);
  plat::DeleteObject(brush_);
}

ScopedMonoColors::ScopedMonoColors(plat::HDC dc)
    : dc_(dc),
      oldBack_(plat::SetBkColor(dc, 0xFFFFFF)),
      oldFore_(plat::SetTextColor(dc, 0x000000)) {}

ScopedMonoColors::~ScopedMonoColors() {
  plat::SetBkColor(dc_, oldBack_);
  plat::SetTextColor(dc_, oldFore_);
}
