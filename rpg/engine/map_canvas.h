#pragma once
// mapCanvas keeps the map window's picture without its sprites. A scroll
// moves where the picture starts in the canvas instead of moving its pixels:
// window pixel (x, y) is kept at ((x + origin.x) mod width, (y + origin.y)
// mod height). A scroll then writes only the band it exposes, and the scene
// takes the picture in one copy of up to four pieces.

#include <cstdint>

struct Canvas;

// Where window pixel (0, 0) is kept, and the canvas's size.
struct KeptOrigin {
  int x = 0, y = 0, width = 0, height = 0;
};
KeptOrigin CurrentKeptOrigin();

// sceneCanvas as it stands, kept from mapCanvas's (0, 0).
void KeepScene();
// The kept picture, in window order, into `dst` (a canvas).
void ShowKeptScene(Canvas* dst);
// Moves the kept picture by (dx, dy) pixels. The band this exposes takes
// sceneCanvas's pixels there, as a shifted copy over the scene leaves them.
void ScrollKeptScene(int dx, int dy);

// Calls draw(px, py) with each place on mapCanvas where the window's w x h
// area at (x, y) is drawn: once, or up to four times where it crosses the
// canvas's edges (each drawing clipped by them).
template <typename Draw>
void ForEachKeptPlace(int x, int y, int w, int h, Draw draw) {
  const KeptOrigin o = CurrentKeptOrigin();
  if (o.width <= 0 || o.height <= 0) return;
  const int px = (x + o.x) % o.width;
  const int py = (y + o.y) % o.height;
  for (int left : {px, px - o.width}) {
    if (left + w <= 0 || (left < 0 && px + w <= o.width)) continue;
    for (int top : {py, py - o.height}) {
      if (top + h <= 0 || (top < 0 && py + h <= o.height)) continue;
      draw(int16_t(left), int16_t(top));
    }
  }
}
