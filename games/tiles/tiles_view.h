#pragma once
// Drawing the tile-matching game: the dealt board on the work canvas, shown
// with one copy, and each click's change straight on the screen.

#include "games/tiles/tiles_rules.h"
#include "host/types.h"

namespace tiles {

struct TilesPictures {
  ImageRef background;
  ImageRef tile[kKinds + 1];     // by kind; [0] unused
  ImageRef litTile[kKinds + 1];  // the selected look, drawn opaque
  ImageRef marker;
};

// Takes every picture the game draws from the open package; false when one
// is missing or unusable.
bool LoadPictures(void* package, TilesPictures* pictures);

// The background and every tile of the board on `work` (the screen when
// null), then `work` copied to the screen.
void DrawDeal(const TilesState& state, const TilesPictures& pictures, Canvas* work);

// What a board click changed, on the screen.
void DrawClick(const ClickResult& click, const TilesPictures& pictures);

}  // namespace tiles
