#include "tools/sndgen/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sndgen {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kPeak = 0.9;       // loudest sample after mixing, of full scale
constexpr int kMaxHarmonics = 24;   // band-limited square and saw

double KeyFrequency(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

// Level of the envelope `t` seconds after the note started; the note is held
// for `hold` seconds. Decay and release fall exponentially to about 2 %.
double EnvelopeAt(const Envelope& e, double t, double hold) {
  auto sustained = [&](double s) {
    if (s < e.attack) return s / e.attack;
    if (e.decay <= 0) return e.sustain;
    return e.sustain + (1 - e.sustain) * std::exp(-4 * (s - e.attack) / e.decay);
  };
  if (t < hold) return sustained(t);
  if (e.release <= 0) return 0;
  const double u = (t - hold) / e.release;
  return u >= 1 ? 0 : sustained(hold) * std::exp(-4 * u) * (1 - u);
}

// Sum of odd (square) or all (saw) harmonics below the Nyquist frequency.
double Additive(double phase, double freq, int rate, bool oddOnly) {
  double sum = 0;
  for (int k = 1; k <= kMaxHarmonics && k * freq < rate / 2.0; k += oddOnly ? 2 : 1) {
    sum += std::sin(kTwoPi * k * phase) / k;
  }
  return sum * (oddOnly ? 4 / std::numbers::pi : 2 / std::numbers::pi) * 0.7;
}

// Per-note voice state that is not a function of time alone.
struct Voice {
  std::uint32_t noiseState;
  double lowpass = 0;
};

double Oscillator(const Track& track, Voice& v, double t, double freq, int rate) {
  const double phase = std::fmod(t * freq, 1.0);
  switch (track.wave) {
    case Wave::kSine: return std::sin(kTwoPi * phase);
    case Wave::kTriangle: return 4 * std::abs(phase - 0.5) - 1;
    case Wave::kSquare: return Additive(phase, freq, rate, true);
    case Wave::kSaw: return Additive(phase, freq, rate, false);
    case Wave::kBell:
      return std::sin(kTwoPi * phase) + 0.5 * std::exp(-6 * t) * std::sin(kTwoPi * std::fmod(t * freq * 2.76, 1.0)) +
             0.25 * std::exp(-10 * t) * std::sin(kTwoPi * std::fmod(t * freq * 5.4, 1.0));
    case Wave::kNoise: {
      // White noise through a one-pole low-pass: the key sets how bright it is.
      v.noiseState = v.noiseState * 1664525u + 1013904223u;
      const double white = double(v.noiseState >> 8) / double(1u << 23) - 1;
      const double cutoff = std::min(freq * 4, rate / 2.0);
      v.lowpass += (1 - std::exp(-kTwoPi * cutoff / rate)) * (white - v.lowpass);
      return v.lowpass * 1.5;
    }
  }
  return 0;
}

void AddNote(const Tune& tune, const Track& track, const Note& note, std::uint32_t seed,
             std::vector<double>& mix, bool wrap) {
  const int rate = tune.sampleRate;
  const double hold = tune.TicksToSeconds(note.length);
  const auto first = std::size_t(std::llround(tune.TicksToSeconds(note.start) * rate));
  const auto count = std::size_t(std::ceil((hold + track.envelope.release) * rate));
  const double freq = KeyFrequency(note.key);
  const double level = track.gain * note.velocity / 127.0;
  Voice voice{seed * 2654435761u + 12345u};
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t at = first + i;
    if (wrap) {
      at %= mix.size();
    } else if (at >= mix.size()) {
      break;
    }
    const double t = double(i) / rate;
    mix[at] += level * EnvelopeAt(track.envelope, t, hold) * Oscillator(track, voice, t, freq, rate);
  }
}

}  // namespace

bool Render(const Tune& tune, std::vector<std::int16_t>& out, std::string& error) {
  out.clear();
  const double seconds = tune.TicksToSeconds(tune.LengthTicks());
  double tail = 0;
  for (const Track& t : tune.tracks) tail = std::max(tail, t.envelope.release);
  if (seconds + tail > kMaxRenderSeconds) {
    error = "sound would last " + std::to_string(int(seconds + tail)) + " s, more than " +
            std::to_string(int(kMaxRenderSeconds)) + " s";
    return false;
  }
  const int rate = tune.sampleRate;
  auto total = std::size_t(std::llround(seconds * rate));
  if (!tune.loop) total += std::size_t(std::ceil(tail * rate));
  std::vector<double> mix(std::max<std::size_t>(total, 1), 0.0);
  std::uint32_t seed = 0;
  for (const Track& track : tune.tracks) {
    for (const Note& note : track.notes) AddNote(tune, track, note, ++seed, mix, tune.loop);
  }
  double peak = 0;
  for (double s : mix) peak = std::max(peak, std::abs(s));
  const double scale = peak > kPeak ? kPeak / peak : 1.0;
  out.reserve(mix.size());
  for (double s : mix) out.push_back(std::int16_t(std::lround(s * scale * 32767)));
  return true;
}

}  // namespace sndgen
