#pragma once
// The pictures of the falling-blocks package (Games/blocks/E1_els.dat): each
// id is the picture's offset in the package, pinned in the package's
// manifest (content/blocks/E1_els.yaml). All are plain pictures.

#include <cstdint>

namespace blocks {

struct PictureId {
  uint32_t id;
  int width;
  int height;
};

inline constexpr PictureId kBackgroundPicture{256, 240, 320};
inline constexpr PictureId kBlockPicture{230912, 15, 15};
inline constexpr PictureId kPreviewBlockPicture{231936, 6, 6};
// Digit d is kDigitPictures[d].
inline constexpr PictureId kDigitPictures[10] = {
    {232448, 7, 10}, {232960, 7, 10}, {233472, 7, 10}, {233984, 7, 10}, {234496, 7, 10},
    {235008, 7, 10}, {235520, 7, 10}, {236032, 7, 10}, {236544, 7, 10}, {237056, 7, 10},
};

}  // namespace blocks
