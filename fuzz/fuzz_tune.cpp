// Feeds arbitrary text to the tune reader, then writes the tune as MIDI and,
// when it is short, renders it, so any note the reader lets through is one the
// writers can handle.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>

#include "tools/sndgen/midi_writer.h"
#include "tools/sndgen/synth.h"
#include "tools/sndgen/tune.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sndgen::Tune tune;
  codec::Diagnostics diag;
  if (!sndgen::ParseTune(std::string(reinterpret_cast<const char*>(data), size), "fuzz", tune, diag)) return 0;
  const auto midi = sndgen::WriteMidi(tune);
  if (midi.size() < 14) __builtin_trap();
  // Rendering costs time in proportion to length; keep each run short.
  if (tune.TicksToSeconds(tune.LengthTicks()) < 2.0) {
    tune.sampleRate = 8000;
    for (auto& t : tune.tracks) t.envelope.release = std::min(t.envelope.release, 0.5);
    std::vector<std::int16_t> samples;
    std::string error;
    sndgen::Render(tune, samples, error);
  }
  return 0;
}
