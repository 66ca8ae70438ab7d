#pragma once
// The data that travels with the messages of messages.h: the packed records
// of WM_COPYDATA (little-endian, read by both sides with these structs) and
// the answers to the tools' questions.

#include <cstddef>
#include <cstdint>

#include "platform/win/types.h"

// The screen's eight fields in Canvas order (kScreenModeCopyData). dc,
// bitmap, window and pixels are addresses inside the host; only their low 32
// bits travel, and they mean nothing to the viewer.
//   0 width  4 height  8 bitsPerPixel  12 byteSize  16 dc  20 bitmap  24 window  28 pixels
#pragma pack(push, 1)
struct ScreenModeRecord {
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitsPerPixel;
  std::uint32_t byteSize;
  std::uint32_t dc;
  std::uint32_t bitmap;
  std::uint32_t window;
  std::uint32_t pixels;
};
#pragma pack(pop)
static_assert(sizeof(ScreenModeRecord) == 32);
static_assert(offsetof(ScreenModeRecord, byteSize) == 12);
static_assert(offsetof(ScreenModeRecord, pixels) == 28);

inline constexpr int kSoundPathSize = 256;

// One sound command (kSoundCopyData).
//   0 op  4 channel  8 loops  12 path (256 bytes, NUL-terminated, zero-padded)
// op 0 plays the file in path; other ops act on the channel and carry no path.
#pragma pack(push, 1)
struct SoundRecord {
  std::int32_t op;
  std::int32_t channel;
  std::int32_t loops;
  char path[kSoundPathSize];
};
#pragma pack(pop)
static_assert(sizeof(SoundRecord) == 268);
static_assert(offsetof(SoundRecord, loops) == 8);
static_assert(offsetof(SoundRecord, path) == 12);

// kLcdQueryFrameSize's answer: width in the low 16 bits, height above.
inline constexpr plat::LRESULT PackFrameSize(int width, int height) {
  return plat::LRESULT(std::uint32_t(width) | std::uint32_t(height) << 16);
}
inline constexpr int FrameWidth(plat::LRESULT size) { return int(size & 0xFFFF); }
inline constexpr int FrameHeight(plat::LRESULT size) { return int(size >> 16 & 0xFFFF); }

// kSndQueryChannel's answer.
enum SndChannelAnswer : plat::LRESULT {
  kSndChannelIdle = 0,
  kSndChannelPlaying = 1,
  kSndChannelPaused = 2,
};
