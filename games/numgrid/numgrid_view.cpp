#include "games/numgrid/numgrid_view.h"

#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_pictures.h"
#include "host/device_api.h"
#include "host/host_reset.h"

namespace numgrid {

namespace {

constexpr uint32_t kPressedMs = 180;
constexpr int32_t kOpaque = 0;
constexpr int32_t kTransparent = 1;

void* package = nullptr;

// Draws the w by h area at (sx, sy) of the picture at (x, y); nothing when
// the package lacks the picture.
void Draw(const Picture& picture, int x, int y, int w, int h, int sx, int sy, int32_t mode) {
  ImageRef image{};
  if (!ResLoadImage(&image, 0, picture.id, package)) return;
  DrawImage(int16_t(x), int16_t(y), int16_t(w), int16_t(h), int16_t(sx), int16_t(sy), image,
            nullptr, mode);
}

// A whole picture with its top-left corner at (x, y).
void DrawWhole(const Picture& picture, int x, int y, int32_t mode) {
  Draw(picture, x, y, picture.width, picture.height, 0, 0, mode);
}

// The w by h area at (x, y) as `picture` (a full-screen one) has it there.
void DrawAreaOf(const Picture& picture, int x, int y, int w, int h) {
  Draw(picture, x, y, w, h, x, y, kOpaque);
}

void Press(const Picture& pressed, int x, int y, const Picture& under) {
  DrawWhole(pressed, x, y, kOpaque);
  DelayMs(kPressedMs);
  DrawAreaOf(under, x, y, pressed.width, pressed.height);
}

void DrawLevel(int level, bool highlighted) {
  const Point at = kLevelAt[level - 1];
  if (highlighted) {
    DrawWhole(kLevelPictures[level - 1], at.x, at.y, kOpaque);
  } else {
    DrawAreaOf(kDialogPicture, at.x, at.y, kLevelWidth, kLevelHeight);
  }
}

}  // namespace

bool OpenPictures(const char* path) {
  ClosePictures();
  package = ResOpen(path);
  return package != nullptr;
}

void ClosePictures() {
  if (package) ResClose(package);
  package = nullptr;
}

void DrawBackground() { DrawWhole(kBackgroundPicture, 0, 0, kOpaque); }

void DrawDigit(CellPos at, int digit, bool given) {
  const Picture* set = given ? kGivenDigitPictures : kPlayerDigitPictures;
  DrawWhole(set[digit - 1], CellX(at.column), CellY(at.row), kTransparent);
}

void RestoreCell(CellPos at) {
  DrawAreaOf(kBackgroundPicture, CellX(at.column), CellY(at.row), kCellSize, kCellSize);
}

void DrawPalette() {
  for (int digit = 1; digit <= kGridSize; ++digit) {
    DrawWhole(kPlayerDigitPictures[digit - 1], PaletteX(digit), kPaletteTop, kTransparent);
  }
}

void PressButton(Button button) {
  if (button == Button::kNone) return;
  const int index = int(button) - 1;
  Press(kPressedButtonPictures[index], kButtonLeft[index], kButtonTop, kBackgroundPicture);
}

void DrawDialog(int level) {
  DrawWhole(kDialogPicture, 0, 0, kOpaque);
  DrawLevel(level, true);
}

void HighlightLevel(int level) {
  for (int other = 1; other <= kLevelCount; ++other) DrawLevel(other, other == level);
}

void PressDialogButton(DialogButton button) {
  if (button == DialogButton::kOk) Press(kPressedOkPicture, kOkAt.x, kOkAt.y, kDialogPicture);
  if (button == DialogButton::kCancel)
    Press(kPressedCancelPicture, kCancelAt.x, kCancelAt.y, kDialogPicture);
}

// The host's reset closes every package; the handle goes with it.
static const bool resetRegistered = RegisterHostReset([] { package = nullptr; });

}  // namespace numgrid
