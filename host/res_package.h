#pragma once
// Between the package and the bitmap code of the resource module.

#include "platform/gdi/object.h"

// Whether an open package owns this bitmap or mask (ImageFree leaves those).
bool IsPackageBitmap(plat::HBITMAP bitmap);
