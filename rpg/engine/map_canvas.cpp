#include "rpg/engine/map_canvas.h"

#include "host/canvas.h"
#include "host/canvas_area.h"
#include "rpg/engine/game_state.h"

namespace {

// The origin belongs to the canvas it was set for; any other mapCanvas
// (a new game's, a test's) starts at (0, 0).
const Canvas* originOf = nullptr;
int originX = 0;
int originY = 0;

int Wrap(int value, int size) { return (value % size + size) % size; }

}  // namespace

KeptOrigin CurrentKeptOrigin() {
  const Canvas* c = game.mapCanvas;
  if (!c) return {};
  if (c != originOf) return {0, 0, c->width, c->height};
  return {originX, originY, c->width, c->height};
}

void KeepScene() {
  CanvasCopy(game.mapCanvas, game.sceneCanvas);
  originOf = game.mapCanvas;
  originX = originY = 0;
}

void ShowKeptScene(Canvas* dst) {
  const KeptOrigin o = CurrentKeptOrigin();
  if (o.x == 0 && o.y == 0) {
    CanvasCopy(dst, game.mapCanvas);
    return;
  }
  // Each piece is the whole canvas moved, clipped by dst's edges.
  for (int x : {-o.x, o.width - o.x}) {
    for (int y : {-o.y, o.height - o.y}) {
      if (x < o.width && y < o.height) CanvasCopyAt(int16_t(x), int16_t(y), dst, game.mapCanvas);
    }
  }
}

void ScrollKeptScene(int dx, int dy) {
  const KeptOrigin o = CurrentKeptOrigin();
  if (o.width <= 0 || o.height <= 0 || !game.sceneCanvas) return;
  originOf = game.mapCanvas;
  originX = Wrap(o.x - dx, o.width);
  originY = Wrap(o.y - dy, o.height);
  const auto takeBand = [](int x, int y, int w, int h) {
    ForEachKeptPlace(x, y, w, h, [&](int16_t px, int16_t py) {
      CanvasCopyArea(game.mapCanvas, px, py, int16_t(w), int16_t(h), game.sceneCanvas, int16_t(x),
                     int16_t(y));
    });
  };
  if (dx != 0) takeBand(dx > 0 ? 0 : o.width + dx, 0, dx > 0 ? dx : -dx, o.height);
  if (dy != 0) takeBand(0, dy > 0 ? 0 : o.height + dy, o.width, dy > 0 ? dy : -dy);
}
