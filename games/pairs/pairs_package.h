#pragma once
// The game's picture package and where its pictures lie in it. A picture's
// id is its offset in the package; content/pairs/resource.yaml pins each one.

#include <cstdint>

namespace pairs {

// Relative to the host program's folder.
inline constexpr char kPackagePath[] = "..\\Games\\pairs\\resource.dat";

// 32 x 32, plain: picture 0 the card back, 1..24 the faces, 0x1000 apart.
inline constexpr int kPictures = 25;
inline constexpr uint32_t kPictureIdBase = 0x400;
inline constexpr uint32_t kPictureIdStride = 0x1000;
inline constexpr uint32_t PictureId(int picture) {
  return kPictureIdBase + uint32_t(picture) * kPictureIdStride;
}

}  // namespace pairs
