#pragma once
// The number grid's drawing: every call draws straight on the screen with
// the pictures of the game's package, which this module keeps open.

#include "games/numgrid/numgrid_rules.h"

namespace numgrid {

// Opens the package; false when it cannot be opened.
bool OpenPictures(const char* path);
void ClosePictures();

// The background over the whole screen: the empty board, the empty
// palette row and the buttons.
void DrawBackground();
// A digit on a board cell, transparent: the given set or the player's set.
void DrawDigit(CellPos at, int digit, bool given);
// A board cell as the background has it (opaque).
void RestoreCell(CellPos at);
// The palette digits 1 to 9 (the player's set), transparent.
void DrawPalette();
// The button's pressed picture, 180 ms, then the background again.
void PressButton(Button button);

// The level dialog over the whole screen with `level` highlighted.
void DrawDialog(int level);
// `level` highlighted, the other four plain.
void HighlightLevel(int level);
// OK or Cancel pressed for 180 ms, then the dialog picture again.
void PressDialogButton(DialogButton button);

}  // namespace numgrid
