#include "viewer/picture_place.h"

#include <algorithm>

namespace lcd {

PicturePlace PlacePicture(int outputWidth, int outputHeight, int pictureWidth,
                          int pictureHeight) {
  PicturePlace place;
  if (pictureWidth < 1 || pictureHeight < 1) return place;
  place.factor = std::max(1, std::min(outputWidth / pictureWidth, outputHeight / pictureHeight));
  place.width = pictureWidth * place.factor;
  place.height = pictureHeight * place.factor;
  place.x = (outputWidth - place.width) / 2;
  place.y = (outputHeight - place.height) / 2;
  return place;
}

int WindowToScreen(int windowCoordinate, int origin, int factor, int screenSize) {
  if (factor < 1 || screenSize < 1) return 0;
  const int offset = windowCoordinate - origin;
  // Rounded down also left of the picture, so the black border maps to 0.
  const int pixel = offset >= 0 ? offset / factor : -1;
  return std::clamp(pixel, 0, screenSize - 1);
}

}  // namespace lcd
