#include "tools/sndgen/wav_writer.h"

#include "codec/bytes.h"

namespace sndgen {
namespace {

using codec::AppendLe;

void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<std::uint8_t> WriteWav(std::span<const std::int16_t> samples, int sampleRate) {
  constexpr int kChannels = 1, kBits = 16, kBlock = kChannels * kBits / 8;
  const auto dataBytes = std::uint32_t(samples.size() * kBlock);
  std::vector<std::uint8_t> out;
  out.reserve(kWavHeaderSize + dataBytes);
  PutTag(out, "RIFF");
  AppendLe<std::uint32_t>(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  AppendLe<std::uint32_t>(out, 16);
  AppendLe<std::uint16_t>(out, 1);
  AppendLe<std::uint16_t>(out, kChannels);
  AppendLe<std::uint32_t>(out, std::uint32_t(sampleRate));
  AppendLe<std::uint32_t>(out, std::uint32_t(sampleRate * kBlock));
  AppendLe<std::uint16_t>(out, kBlock);
  AppendLe<std::uint16_t>(out, kBits);
  PutTag(out, "data");
  AppendLe<std::uint32_t>(out, dataBytes);
  for (std::int16_t s : samples) AppendLe(out, s);
  return out;
}

}  // namespace sndgen
