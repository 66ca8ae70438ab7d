#pragma once
// The procedurally painted pictures of the Desktop and its test application.

#include "AppEntry/art/paint.h"
#include "platform/gdi/image.h"

namespace art {

// 320 x 240 background of the Desktop.
plat::Image PaintDesktop();

// 320 x 240 picture for the test application's package; the part it shows,
// 60 x 60 from (110, 160), holds a cottage.
plat::Image PaintScene();

}  // namespace art
