#pragma once
// The level dialog: drawn over the game's screen, it takes Messages until
// OK or Cancel.

#include <optional>

namespace numgrid {

// The level chosen with OK (Enter or a click on OK), the dialog showing
// `level` highlighted at first. Nothing after Cancel (Escape or a click on
// Cancel), which puts the screen back as it was, or when no canvas can be
// made to keep the screen in, or when no Message can be taken any more.
std::optional<int> RunLevelDialog(int level);

}  // namespace numgrid
