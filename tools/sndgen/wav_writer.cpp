#include "tools/sndgen/wav_writer.h"

namespace sndgen {
namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<std::uint8_t> WriteWav(std::span<const std::int16_t> samples, int sampleRate) {
  constexpr int kChannels = 1, kBits = 16, kBlock = kChannels * kBits / 8;
  const auto dataBytes = std::uint32_t(samples.size() * kBlock);
  std::vector<std::uint8_t> out;
  out.reserve(kWavHeaderSize + dataBytes);
  PutTag(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);
  PutLe(out, kChannels, 2);
  PutLe(out, std::uint32_t(sampleRate), 4);
  PutLe(out, std::uint32_t(sampleRate * kBlock), 4);
  PutLe(out, kBlock, 2);
  PutLe(out, kBits, 2);
  PutTag(out, "data");
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLe(out, std::uint16_t(s), 2);
  return out;
}

}  // namespace sndgen
