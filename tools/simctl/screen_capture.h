#pragma once
// The emulated screen as the shared block holds it.

#include <string>

#include "platform/gdi/image.h"

namespace simctl {

// Reads a `width` x `height` picture of 32-bit pixels (blue, green, red,
// unused; rows of width * 4 bytes) from the shared screen block. False with
// a reason when the block is missing or too small for that size.
bool CaptureScreen(int width, int height, plat::Image* out, std::string* error);

}  // namespace simctl
