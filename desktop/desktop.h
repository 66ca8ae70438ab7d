#pragma once
// The Desktop: a full-screen launcher showing a background picture and, for
// each row of its application table, an icon with a label. The arrow keys or
// a click select a row; Enter or a double click on the selected icon calls
// its entry. Escape ends the Desktop.

#include "desktop/app_table.h"

// Label colours: white text on steel blue, on navy when selected.
inline constexpr uint32_t kLabelTextColor = 0xFFFFFF;
inline constexpr uint32_t kLabelBackColor = 0xA56E3A;
inline constexpr uint32_t kLabelSelectedColor = 0x800000;

// Runs until Escape (or until no Message can be taken any more).
void DesktopMain();

// Draws the background, the icons and the labels; the number of rows drawn.
int DrawDesktop();

// Redraws the previously highlighted label in the normal colours and the
// label of row `index` in the selected colours, directly on the screen.
void HighlightLabel(int index);

// The first row whose icon-and-label area contains (px, py), or -1. The
// area's edges are outside it.
int HitTestIcon(int px, int py);

// Readies the screen for an application: white, black text on white, the
// 16-pixel font.
void PrepareLaunch();

// The table the Desktop lists: AppTable unless another was chosen here
// (null restores AppTable). For tests and builds with other applications.
void UseAppTable(const AppRow* table);

// The Desktop's state, for tests and diagnostics.
struct DesktopState {
  int appCount;     // rows drawn by the last DrawDesktop
  int selected;     // the selected row
  int highlighted;  // the row whose label was last drawn highlighted
};
DesktopState GetDesktopState();
