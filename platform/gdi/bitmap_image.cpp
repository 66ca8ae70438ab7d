#include "platform/gdi/bitmap_image.h"

#include <cstring>

#include "platform/gdi/surface.h"

namespace plat {

HBITMAP CreateBitmapFromImage(const Image& image) {
  if (image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) return nullptr;
  return CreateBitmap(image.width, image.height, 1, 32, image.pixels.data());
}

Image ImageFromBitmap(const Bitmap& bitmap) {
  Image image;
  image.width = bitmap.width();
  image.height = bitmap.height();
  image.pixels.resize(std::size_t(image.width) * std::size_t(image.height));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) image.at(x, y) = ReadWord(bitmap, x, y);
  }
  return image;
}

}  // namespace plat
