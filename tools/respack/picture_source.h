#pragma once
// Pictures given to respack: BMP files, PNG files and pixel art (.txt).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/image.h"

namespace respack {

// Reads a picture by its file name's ending (.bmp, .png, .txt). PNG pixels
// with alpha below 128 become magenta 0xFF00FF, the key colour. A BMP keeps
// its bytes unless `depth` asks for another encoding; PNG and pixel art are
// encoded as BMP at `depth` (default: the art's own depth, 24 for PNG).
bool LoadPictureAsBmp(const std::string& path, std::optional<int> depth, std::vector<std::uint8_t>& bmp,
                      std::string& error);

// Reads a picture into pixels, whatever its format.
bool LoadPictureImage(const std::string& path, plat::Image& image, std::string& error);

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace respack
