#pragma once
// Effect animations (type 5) read in place: a header (byte 2 elements N,
// byte 3 pictures P, byte 4 first and byte 5 last element played), N
// elements of 5 bytes (dx, dy, life, delay, picture index), then P pictures
// of one frame each. Only what lies inside the bytes is used: elements past
// N are not played, pictures past P or past the data are not drawn.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "rpg/engine/picture_data.h"

struct EffectElement {
  uint8_t dx;
  uint8_t dy;
  uint8_t life;   // frames it is shown
  uint8_t delay;  // frames before the next element starts
  uint8_t picture;
};

struct EffectData {
  std::span<const uint8_t> bytes;
  int count;     // N
  int first;     // first element played
  int last;      // last element played, below N
  int pictures;  // pictures that lie whole inside the data
  std::array<std::size_t, 256> pictureAt;

  bool Empty() const { return count == 0 || first > last; }
  EffectElement Element(int k) const;
  // The picture's header and its frame's rows, or nothing.
  std::optional<PicInfo> Picture(int index) const;
};

// Nothing when the header or the elements run past the bytes.
std::optional<EffectData> ReadEffect(std::span<const uint8_t> bytes);
