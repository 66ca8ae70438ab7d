#pragma once
// A tune: timed notes in tracks, read from the small text notation described in
// docs/content.md. The same tune can be written as a Standard MIDI File (each
// track a MIDI program) or rendered to PCM (each track a synthesizer voice).

#include <cstdint>
#include <string>
#include <vector>

#include "codec/diagnostics.h"

namespace sndgen {

enum class Wave { kSine, kTriangle, kSquare, kSaw, kNoise, kBell };

// Amplitude envelope: attack and decay in seconds, sustain level 0..1, and the
// release in seconds after the note ends.
struct Envelope {
  double attack = 0.005;
  double decay = 0.1;
  double sustain = 0.7;
  double release = 0.05;
};

struct Note {
  std::uint32_t start = 0;   // in ticks from the start of the tune
  std::uint32_t length = 0;  // in ticks
  int key = 60;              // MIDI key number, 60 = C4
  int velocity = 90;         // 1..127
};

struct Track {
  std::string name;
  int line = 0;        // where the track starts in the source
  int program = 0;     // General MIDI program, 0-based
  int channel = -1;    // MIDI channel 0..15; -1 picks the next free one
  int velocity = 90;
  Wave wave = Wave::kSine;
  Envelope envelope;
  double gain = 1.0;   // synthesizer level of the whole track
  std::vector<Note> notes;
  std::uint32_t end = 0;  // ticks: where the track's last note or rest ends
};

struct Tune {
  int tempo = 120;        // quarter notes per minute
  int meterBeats = 4;     // time signature, e.g. 3/4
  int meterUnit = 4;
  int ticksPerQuarter = 96;
  int sampleRate = 22050;
  bool loop = false;      // rendered sound wraps note tails around to its start
  std::vector<Track> tracks;

  std::uint32_t LengthTicks() const;
  double TicksToSeconds(std::uint32_t ticks) const {
    return double(ticks) * 60.0 / (double(tempo) * ticksPerQuarter);
  }
};

// Parses the tune notation. On failure returns false after reporting the
// first fault to `diag` at its line and column in `name`.
bool ParseTune(const std::string& text, const std::string& name, Tune& out, codec::Diagnostics& diag);

}  // namespace sndgen
