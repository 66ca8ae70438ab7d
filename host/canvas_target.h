#pragma once
// Shared by the drawing calls: the drawing context a target stands for, the
// flush that ends a call on the screen, and temporary pens and brushes.

#include "host/types.h"
#include "platform/gdi/gdi.h"

// The canvas's drawing context, or the screen's for null.
plat::HDC TargetDc(const Canvas* c);

// Ends a drawing call: FlushScreen's result for the screen, else 1.
int FinishDrawing(const Canvas* c);

// Selects a pen and a brush into a context for one drawing and, at the end,
// puts the previous ones back and deletes the two (stock objects stay).
class ScopedPenBrush {
 public:
  ScopedPenBrush(plat::HDC dc, plat::HPEN pen, plat::HBRUSH brush);
  ~ScopedPenBrush();
  ScopedPenBrush(const ScopedPenBrush&) = delete;
  ScopedPenBrush& operator=(const ScopedPenBrush&) = delete;

 private:
  plat::HDC dc_;
  plat::HPEN pen_;
  plat::HBRUSH brush_;
  plat::HPEN oldPen_;
  plat::HBRUSH oldBrush_;
};

// Sets a context's back colour to white and fore colour to black for the
// monochrome passes of the image calls, and restores both at the end.
class ScopedMonoColors {
 public:
  explicit ScopedMonoColors(plat::HDC dc);
  ~ScopedMonoColors();
  ScopedMonoColors(const ScopedMonoColors&) = delete;
  ScopedMonoColors& operator=(const ScopedMonoColors&) = delete;

 private:
  plat::HDC dc_;
  plat::COLORREF oldBack_;
  plat::COLORREF oldFore_;
};
