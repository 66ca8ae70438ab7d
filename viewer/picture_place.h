#pragma once
// Where the screen's picture goes in the viewer's output, and back from a
// window position to a screen pixel. Pure arithmetic, without SDL.

namespace lcd {

struct PicturePlace {
  int x = 0;  // the picture's top left corner in the output
  int y = 0;
  int width = 0;  // the picture's size in the output: the screen's times factor
  int height = 0;
  int factor = 1;
};

// The picture of a `pictureWidth` by `pictureHeight` screen in an output of
// `outputWidth` by `outputHeight`: scaled by the largest whole factor that
// fits (at least 1, so a too small output shows the middle part) and
// centred; the rest of the output stays black. A window sized to the
// picture gets it at the window's own factor in its corner.
PicturePlace PlacePicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight);

// The screen pixel under a window position, where the picture starts at
// `origin` and is scaled by `factor`; kept on the screen.
int WindowToScreen(int windowCoordinate, int origin, int factor, int screenSize);

}  // namespace lcd
