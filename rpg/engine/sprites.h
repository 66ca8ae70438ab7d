#pragma once
// Walking sprites: the hero (the leader's sprite) and the map characters,
// drawn into sceneCanvas. A sheet holds three frames per facing (up, right,
// down, left); step 0, 1, 2, 3 shows frame 0, 1, 2, 1 of its facing. A sheet
// whose block is not tagged "ACP" is run error 2; a frame the sheet lacks is
// not drawn.

#include <cstdint>
#include <optional>
#include <span>

#include "rpg/engine/picture_data.h"

struct SpriteFrame {
  PicInfo sheet;
  std::span<const uint8_t> bits;  // the frame's rows
};

// The frame of a sheet at (block, offset) for a facing and a step.
std::optional<SpriteFrame> SheetFrame(uint16_t block, uint16_t offset, uint8_t facing,
                                      uint8_t step);
// The current frame of map character `slot` (empty slot: nothing).
std::optional<SpriteFrame> ActorFrame(uint8_t slot);

// The leader's sprite on its window cell, rising above it when taller than a
// tile. Nothing while runStatus is set or the leader's slot is empty.
void DrawHero();
// A map character: group 4 by the small-character rule (drawn whole or in
// halves on the view's rows), any other group clipped to the map window.
void DrawNpc(uint8_t slot);
// Every occupied slot in order: later slots are drawn over earlier ones.
void DrawAllNpcs();
