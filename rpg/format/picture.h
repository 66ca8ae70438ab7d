#pragma once
// The game's picture format: a 6-byte header and frames of 1 or 2 bits per
// pixel. Used by actor sheets, goods pictures, interface pictures, tile sets
// and the pictures inside effect animations.
//
// Byte layout:
//   0      2 bytes   head: not read by the drawing code (the key's id1, id2)
//   2      u8        width w in pixels
//   3      u8        height h in pixels
//   4      u8        number of frames
//   5      u8        depth: 1 or 2 bits per pixel
//   6      frames back to back, each PictureFrameBytes(w, h, depth) bytes
//
// Rows run top to bottom, pixels left to right, most significant bits first.
// Depth 1: bit 1 black, bit 0 white; a row takes ceil(w / 8) bytes.
// Depth 2: 0 white, 1 black, 2 and 3 transparent; a row is padded to a whole
// multiple of 8 pixels, so it takes ceil(w / 8) * 2 bytes (12 and 14 pixels
// wide both take 4). Padding bits are written 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/result.h"

namespace rpgfmt {

inline constexpr std::size_t kPicHeaderSize = 6;
inline constexpr std::size_t kPicWidthOffset = 2;
inline constexpr std::size_t kPicHeightOffset = 3;
inline constexpr std::size_t kPicFramesOffset = 4;
inline constexpr std::size_t kPicDepthOffset = 5;
inline constexpr int kPicMaxSide = 255;
inline constexpr int kPicMaxFrames = 255;

// Pixel values as stored. Depth 1 holds only white and black.
inline constexpr std::uint8_t kPixWhite = 0;
inline constexpr std::uint8_t kPixBlack = 1;
inline constexpr std::uint8_t kPixClear = 2;
inline constexpr std::uint8_t kPixClearAlt = 3;  // drawn like kPixClear

struct Picture {
  std::array<std::uint8_t, 2> head{};
  int width = 0;
  int height = 0;
  int depth = 1;
  // One entry per frame: width * height pixel values, row by row.
  std::vector<std::vector<std::uint8_t>> frames;
};

std::size_t PictureRowBytes(int width, int depth);
std::size_t PictureFrameBytes(int width, int height, int depth);
// Header plus all frames.
std::size_t PictureBytes(const Picture& pic);

// Checks sides, depth, frame count and that every pixel fits the depth.
// Returns an empty string when the picture can be encoded.
std::string CheckPicture(const Picture& pic);

// Encodes a picture that passed CheckPicture.
std::vector<std::uint8_t> EncodePicture(const Picture& pic);

// A checked view of a picture in place, for readers that draw from the
// bytes: the header's numbers and the frames' bits.
struct PictureView {
  int width = 0;
  int height = 0;
  int frames = 0;
  int depth = 1;
  std::size_t frameBytes = 0;
  std::span<const std::uint8_t> bits;  // all frames, frames * frameBytes

  std::size_t Size() const { return kPicHeaderSize + bits.size(); }
  std::span<const std::uint8_t> Frame(int i) const {
    return bits.subspan(static_cast<std::size_t>(i) * frameBytes, frameBytes);
  }
};

// Checks the header (sides, depth 1 or 2, at least one frame) and that the
// frames fit in `bytes`; trailing bytes are left alone.
codec::Result<PictureView> ViewPicture(std::span<const std::uint8_t> bytes);

struct PictureRead {
  Picture picture;
  std::size_t size = 0;      // bytes the picture spans from its start
  bool paddingClean = true;  // false when padding bits were not 0 (they are dropped)
};

// Reads one picture from the start of `bytes`; trailing bytes are left alone.
// Rejects a short header, a zero side, a depth other than 1 or 2, no frames
// and frames running past the end.
codec::Result<PictureRead> DecodePicture(std::span<const std::uint8_t> bytes);

}  // namespace rpgfmt
