#pragma once
// Pictures: resource packages (many BMP images behind a small directory)
// and single BMP files, both giving an ImageRef for the image calls. A keyed
// picture's magenta pixels (0xFF00FF) become transparent through a
// monochrome mask made at load time.

#include <cstddef>
#include <cstdint>

#include "host/types.h"
#include "platform/gdi/object.h"

inline constexpr plat::COLORREF kKeyColor = 0xFF00FF;

// Loads a package whole into a MemAlloc block and makes all its bitmaps;
// the block's address is the package handle, or null on failure. Entries
// whose data lies outside the file, or whose BMP is damaged, are unusable.
void* ResOpen(const char* path);

// Copies image `id` (its offset in the package) into `out` and returns the
// address of its data, or 0 when there is no such usable image. The bitmaps
// stay the package's. `kind` is not used.
void* ResLoadImage(ImageRef* out, int32_t kind, uint32_t id, void* package);

// Releases a package, its bitmaps and masks.
void ResClose(void* package);

// Loads a BMP file; mode 0 plain, 1 keyed. 1, or 0 with `out` cleared.
int LoadBmpFile(ImageRef* out, const char* path, int32_t mode);

// Releases the bitmaps of an image from LoadBmpFile or ImageFromPackedBmp and
// clears them in `image`. Images of an open package are left to ResClose.
void ImageFree(ImageRef* image);

// A monochrome mask of `bitmap`: 1 where it has `keyColor`, 0 elsewhere;
// the key pixels of `bitmap` are turned black. Null on failure.
plat::HBITMAP MakeMask(plat::HBITMAP bitmap, plat::COLORREF keyColor);

// A 32-bit bitmap from a BMP file image of `size` bytes in memory, or null.
plat::HBITMAP BitmapFromPackedBmp(const void* data, std::size_t size);

// Fills `out` (width and height too) from a BMP file image in memory; mode 0
// plain, 1 keyed. 1, or 0.
int ImageFromPackedBmp(ImageRef* out, const void* data, std::size_t size, int32_t mode);
