#pragma once
// Conversions between bitmaps and plain pictures, for loaders and screenshots.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/image.h"

namespace plat {

// A new 32-bit bitmap holding the picture; null when it is too large.
HBITMAP CreateBitmapFromImage(const Image& image);

// The bitmap's pixels as a picture; monochrome pixels become black or white.
Image ImageFromBitmap(const Bitmap& bitmap);

}  // namespace plat
