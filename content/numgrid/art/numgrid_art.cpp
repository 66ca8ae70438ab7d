#include "content/numgrid/art/numgrid_art.h"

#include "games/numgrid/numgrid_layout.h"

namespace numgrid_art {

std::vector<NamedPicture> PaintAll() {
  std::vector<NamedPicture> all;
  all.push_back({"background.bmp", PaintBackground()});
  all.push_back({"dialog.bmp", PaintDialog()});
  for (int i = 0; i < numgrid::kButtonCount; ++i) {
    all.push_back({"button" + std::to_string(i + 1) + "_pressed.bmp", PaintPressedButton(i)});
  }
  for (int level = 1; level <= numgrid::kLevelCount; ++level) {
    all.push_back(
        {"level" + std::to_string(level) + "_highlighted.bmp", PaintLevelHighlight(level)});
  }
  all.push_back({"ok_pressed.bmp", PaintPressedDialogButton(0)});
  all.push_back({"cancel_pressed.bmp", PaintPressedDialogButton(1)});
  for (int digit = 1; digit <= 9; ++digit) {
    all.push_back({"player" + std::to_string(digit) + ".bmp", PaintPlayerDigit(digit)});
  }
  for (int digit = 1; digit <= 9; ++digit) {
    all.push_back({"given" + std::to_string(digit) + ".bmp", PaintGivenDigit(digit)});
  }
  return all;
}

}  // namespace numgrid_art
