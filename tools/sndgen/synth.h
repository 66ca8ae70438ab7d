#pragma once
// Renders a tune to mono 16-bit PCM: each note is one oscillator of its track's
// wave shaped by the track's envelope. The result depends only on the tune
// (noise comes from a fixed-seed generator), so builds are repeatable.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sndgen/tune.h"

namespace sndgen {

// Samples at tune.sampleRate. A looping tune is exactly its length in bars and
// the tails of its last notes wrap around to the start, so it repeats without a
// seam; otherwise the sound runs on until the last release has faded.
// Sounds longer than kMaxRenderSeconds are refused with an error.
inline constexpr double kMaxRenderSeconds = 600;
bool Render(const Tune& tune, std::vector<std::int16_t>& out, std::string& error);

}  // namespace sndgen
