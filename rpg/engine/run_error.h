#pragma once
// The report of a fatal run error before the game ends.

// For 253, 254 and 255 (and 0): runStatus becomes 0 and nothing is shown.
// Any other value is shown as "RunErr:" and the number at the screen's top
// left until Enter or Esc; runStatus stays set.
void ReportRunError();
