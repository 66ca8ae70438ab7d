#pragma once
// Drawing the pairs game on the screen: cards, the clock and the win screen.

#include "games/pairs/pairs_package.h"
#include "games/pairs/pairs_rules.h"
#include "host/types.h"

namespace pairs {

inline constexpr int kBack = 0;

struct PairsPictures {
  ImageRef card[kPictures];  // [0] the back, [v] the face of value v
};

// Takes every picture from the open package; false when one is missing.
bool LoadPictures(void* package, PairsPictures* pictures);

// Picture `picture` on the cell of `pick`.
void DrawCard(const PairsPictures& pictures, Pick pick, int picture);

// "Time:N" in red at (240, 0).
void DrawClock(uint32_t clock);

// A new game's screen: "Time:0", and the back on every cell but the centre,
// composed on a copy of the screen and shown at once.
void DrawNewGame(const PairsPictures& pictures);

// Every cell as `state` has it (the back on a card, white where none, the
// face of a turned first pick) and the clock: after adopting a board.
void DrawBoard(const PairsState& state, const PairsPictures& pictures);

// The win screen's three lines in `colours` (0x00BBGGRR), font 3.
void DrawWinLines(const uint32_t colours[3]);

// The white fill after the win screen.
void ClearAfterWin();

}  // namespace pairs
