#pragma once
// Reading the game's pictures in place: the 6-byte header (byte 2 width,
// byte 3 height, byte 4 frames, byte 5 depth) and the frames behind it, each
// ceil(w / 8) x h x depth bytes. Depth 2 is drawn with transparency, any
// other depth as one bit a pixel. A frame is handed out only when every byte
// its drawing reads lies inside the bytes given: a picture that runs past its
// block or the file is drawn as missing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

struct PicInfo {
  int width;
  int height;
  int frames;
  int depth;  // as stored
  std::span<const uint8_t> bytes;  // from the header on
};

// The header at the start of `bytes`; nothing when fewer than 6 bytes.
std::optional<PicInfo> ReadPicHeader(std::span<const uint8_t> bytes);

// Bytes of one row as drawn: ceil(w / 8), twice that at depth 2.
std::size_t PicRowBytes(int width, int depth);

// Bytes of one frame as stored: ceil(w / 8) x h x depth.
std::size_t PicFrameSize(int width, int height, int depth);

// The bits of frame `frame` at the stored stride, `height` rows of
// PicRowBytes; empty when the frame is not in the picture or its bytes are
// not all there.
std::span<const uint8_t> PicFrameBits(const PicInfo& pic, int frame);

// The same for frame data at `offset` from the header's start.
std::span<const uint8_t> PicBitsAt(const PicInfo& pic, std::size_t offset);
