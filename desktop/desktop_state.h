#pragma once
// The Desktop's state, shared by its loop and its drawing; not for
// applications.

#include "desktop/app_table.h"
#include "desktop/desktop.h"

namespace desktop_state {

// The table in use: AppTable unless UseAppTable chose another.
const AppRow* Table();

// The state proper. `highlighted` starts at 0 and is kept across runs of
// the Desktop, like the rest.
DesktopState& Get();

}  // namespace desktop_state
