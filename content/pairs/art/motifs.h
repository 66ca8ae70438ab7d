#pragma once
// The pairs game's face motifs: a shape and a colour for each card value.

#include <cstdint>

namespace pairs_art {

inline constexpr int kMotifCount = 24;

struct Motif {
  const char* name;
  std::uint32_t colour;  // 0x00RRGGBB
  bool (*inside)(double x, double y);  // on the square -1..1, y downwards
};

// Face 1..24.
const Motif& MotifOf(int face);

}  // namespace pairs_art
