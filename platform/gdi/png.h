#pragma once
// PNG pictures through libpng: 32-bit pixels to an RGB PNG and back.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/result.h"
#include "platform/gdi/image.h"

namespace plat {

// Writes the picture as an 8-bit RGB PNG (the top byte of each word is dropped).
bool EncodePng(const Image& image, std::vector<std::uint8_t>& out, std::string* error = nullptr);
bool WritePngFile(const std::string& path, const Image& image, std::string* error = nullptr);

// Reads any PNG into 0x00RRGGBB words. When alpha is given it receives one
// byte per pixel (255 where the file has no transparency); the pixels are the
// file's colours, never blended with a background. A fault in the header
// names its byte; one libpng finds in the compressed data has no offset.
codec::Result<Image> DecodePng(std::span<const std::uint8_t> data,
                               std::vector<std::uint8_t>* alpha = nullptr);
codec::Result<Image> ReadPngFile(const std::string& path,
                                 std::vector<std::uint8_t>* alpha = nullptr);

// The picture's size from its header alone, so that a caller can refuse a
// picture before any pixel memory is taken. False when it is not a PNG.
bool PngSize(std::span<const std::uint8_t> data, int* width, int* height);

}  // namespace plat
