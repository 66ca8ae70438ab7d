#pragma once
// RIFF/WAVE file with one PCM format chunk (mono, 16-bit) and one data chunk.
//   0 "RIFF", u32 file size - 8, "WAVE"
//  12 "fmt ", u32 16, u16 1 (PCM), u16 channels, u32 rate, u32 bytes/s, u16 block, u16 bits
//  36 "data", u32 byte count, samples little-endian

#include <cstdint>
#include <span>
#include <vector>

namespace sndgen {

inline constexpr std::size_t kWavHeaderSize = 44;

std::vector<std::uint8_t> WriteWav(std::span<const std::int16_t> samples, int sampleRate);

}  // namespace sndgen
