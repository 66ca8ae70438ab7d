#pragma once
// Standard MIDI File (format 1) from a tune: a conductor track with tempo and
// time signature, then one track per tune track with its name, program change
// and notes.

#include <cstdint>
#include <vector>

#include "tools/sndgen/tune.h"

namespace sndgen {

std::vector<std::uint8_t> WriteMidi(const Tune& tune);

}  // namespace sndgen
