#include "rpg/engine/game_state.h"

GameState game;

void ResetGameState() {
  uint8_t* const image = game.libImage;
  const uint32_t size = game.libSize;
  game = GameState{};
  game.libImage = image;
  game.libSize = size;
}
