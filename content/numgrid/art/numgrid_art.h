#pragma once
// The number grid's pictures, painted by program: the board screen and the
// level dialog (240 x 320), pressed buttons, highlighted level buttons and
// the two sets of digits. The layout is the game's own (numgrid_layout.h).

#include <string>
#include <vector>

#include "platform/gdi/image.h"

namespace numgrid_art {

// Magenta: transparent in keyed pictures.
inline constexpr std::uint32_t kKey = 0xFF00FF;

// The board screen: the empty 9 x 9 grid with its boxes marked, the empty
// palette row and the buttons New, Erase, Level and Exit.
plat::Image PaintBackground();
// Button 0 to 3 (New, Erase, Level, Exit) pressed, 54 x 22.
plat::Image PaintPressedButton(int button);

// The level dialog: five level buttons, OK and Cancel.
plat::Image PaintDialog();
// Level 1 to 5 highlighted, 92 x 39.
plat::Image PaintLevelHighlight(int level);
// OK (0) or Cancel (1) pressed, 58 x 28.
plat::Image PaintPressedDialogButton(int button);

// Digit 1 to 9, 24 x 24, keyed: the player's (and the palette's) and the
// given ones.
plat::Image PaintPlayerDigit(int digit);
plat::Image PaintGivenDigit(int digit);

struct NamedPicture {
  std::string file;  // as content/numgrid/resource.yaml names it
  plat::Image image;
};
// Every picture of the package.
std::vector<NamedPicture> PaintAll();

}  // namespace numgrid_art
