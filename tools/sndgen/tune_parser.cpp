// Reader of the tune notation: one directive or a run of notes per line,
// a word starting with '#' starts a comment. Notes look like C4/8, F#5/4., Bb3/8t, chords join
// pitches with '+' (C4+E4+G4/2), R is a rest and '|' a bar line that must fall
// on a whole bar.
#include <algorithm>
#include <cmath>
#include <sstream>

#include "tools/sndgen/tune.h"

namespace sndgen {
namespace {

constexpr std::size_t kMaxTracks = 64;

struct ParseError {
  std::string message;
};

bool ParseInt(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  std::size_t i = (s[0] == '-') ? 1 : 0;
  if (i == s.size()) return false;
  for (std::size_t j = i; j < s.size(); ++j) {
    if (s[j] < '0' || s[j] > '9') return false;
  }
  out = std::stoi(s);
  return true;
}

int IntIn(const std::string& s, int lo, int hi, const char* what) {
  int v = 0;
  if (!ParseInt(s, v) || v < lo || v > hi) {
    throw ParseError{std::string(what) + " must be a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi) + ", not '" + s + "'"};
  }
  return v;
}

double RealIn(const std::string& s, double lo, double hi, const char* what) {
  std::istringstream in(s);
  double v = 0;
  if (!(in >> v) || !in.eof() || !(v >= lo && v <= hi)) {
    throw ParseError{std::string(what) + " must be a number from " + std::to_string(lo) + " to " +
                     std::to_string(hi) + ", not '" + s + "'"};
  }
  return v;
}

Wave WaveNamed(const std::string& s) {
  static const std::pair<const char*, Wave> kWaves[] = {
      {"sine", Wave::kSine}, {"triangle", Wave::kTriangle}, {"square", Wave::kSquare},
      {"saw", Wave::kSaw},   {"noise", Wave::kNoise},       {"bell", Wave::kBell}};
  for (const auto& [name, wave] : kWaves) {
    if (s == name) return wave;
  }
  throw ParseError{"unknown wave '" + s + "' (sine, triangle, square, saw, noise, bell)"};
}

// "C4", "F#5", "Bb3" to a MIDI key number (C4 = 60).
int KeyOf(const std::string& s) {
  static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (s.empty() || s[0] < 'A' || s[0] > 'G') throw ParseError{"'" + s + "' is not a pitch"};
  int key = kSemitone[s[0] - 'A'];
  std::size_t i = 1;
  if (i < s.size() && (s[i] == '#' || s[i] == 'b')) key += s[i++] == '#' ? 1 : -1;
  int octave = 0;
  if (!ParseInt(s.substr(i), octave) || octave < -1 || octave > 9) {
    throw ParseError{"'" + s + "' needs an octave from -1 to 9"};
  }
  key += (octave + 1) * 12;
  if (key < 0 || key > 127) throw ParseError{"pitch '" + s + "' is outside the MIDI range"};
  return key;
}

// "8", "4.", "8t" to ticks.
std::uint32_t TicksOf(const std::string& s, int ticksPerQuarter) {
  std::size_t digits = 0;
  while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') ++digits;
  int division = 0;
  if (!ParseInt(s.substr(0, digits), division) || division < 1 || division > 64 ||
      (division & (division - 1)) != 0) {
    throw ParseError{"duration '/" + s + "' must be /1, /2, /4 ... /64"};
  }
  const std::string mods = s.substr(digits);
  if (mods != "" && mods != "." && mods != "t") {
    throw ParseError{"duration '/" + s + "' may end only in '.' (dotted) or 't' (triplet)"};
  }
  std::uint64_t num = std::uint64_t(ticksPerQuarter) * 4, den = std::uint64_t(division);
  if (mods == ".") num *= 3, den *= 2;
  if (mods == "t") num *= 2, den *= 3;
  if (num % den != 0) throw ParseError{"duration '/" + s + "' is finer than the tick grid"};
  return std::uint32_t(num / den);
}

// '#' starts a comment only at the start of a word, so sharps like F#4 stay.
std::string WithoutComment(const std::string& raw) {
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) return raw.substr(0, i);
  }
  return raw;
}

class Parser {
 public:
  explicit Parser(Tune& tune) : tune_(tune) {}

  void Line(int number, const std::string& raw) {
    std::istringstream in(WithoutComment(raw));
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty()) return;
    const std::string& head = words[0];
    if (head == "|" || head[0] == 'R' || head[0] == '|' || (head[0] >= 'A' && head[0] <= 'G')) {
      Notes(words);
      return;
    }
    if (head == "track") {
      if (words.size() != 2) throw ParseError{"'track' takes one name"};
      if (tune_.tracks.size() >= kMaxTracks) throw ParseError{"more than " + std::to_string(kMaxTracks) + " tracks"};
      tune_.tracks.push_back(Track{});
      tune_.tracks.back().name = words[1];
      tune_.tracks.back().line = number;
      duration_ = std::uint32_t(tune_.ticksPerQuarter);
      return;
    }
    if (tune_.tracks.empty()) {
      TuneSetting(words);
    } else {
      TrackSetting(tune_.tracks.back(), words);
    }
  }

 private:
  static void Arity(const std::vector<std::string>& w, std::size_t n) {
    if (w.size() != n + 1) {
      throw ParseError{"'" + w[0] + "' takes " + std::to_string(n) + (n == 1 ? " value" : " values")};
    }
  }

  void TuneSetting(const std::vector<std::string>& w) {
    const std::string& key = w[0];
    if (key == "tempo") {
      Arity(w, 1);
      tune_.tempo = IntIn(w[1], 20, 400, "tempo");
    } else if (key == "meter") {
      Arity(w, 1);
      const auto slash = w[1].find('/');
      if (slash == std::string::npos) throw ParseError{"meter is written like 3/4"};
      tune_.meterBeats = IntIn(w[1].substr(0, slash), 1, 32, "meter beats");
      tune_.meterUnit = IntIn(w[1].substr(slash + 1), 1, 32, "meter unit");
      if (tune_.meterUnit & (tune_.meterUnit - 1)) throw ParseError{"meter unit must be a power of two"};
    } else if (key == "ticks") {
      Arity(w, 1);
      tune_.ticksPerQuarter = IntIn(w[1], 24, 960, "ticks per quarter note");
    } else if (key == "rate") {
      Arity(w, 1);
      tune_.sampleRate = IntIn(w[1], 8000, 48000, "sample rate");
    } else if (key == "loop") {
      Arity(w, 1);
      if (w[1] != "on" && w[1] != "off") throw ParseError{"loop is 'on' or 'off'"};
      tune_.loop = w[1] == "on";
    } else {
      throw ParseError{"unknown setting '" + key + "' before the first track"};
    }
  }

  static void TrackSetting(Track& t, const std::vector<std::string>& w) {
    const std::string& key = w[0];
    if (key == "program") {
      Arity(w, 1);
      t.program = IntIn(w[1], 0, 127, "program");
    } else if (key == "channel") {
      Arity(w, 1);
      t.channel = IntIn(w[1], 0, 15, "channel");
    } else if (key == "velocity") {
      Arity(w, 1);
      t.velocity = IntIn(w[1], 1, 127, "velocity");
    } else if (key == "wave") {
      Arity(w, 1);
      t.wave = WaveNamed(w[1]);
    } else if (key == "gain") {
      Arity(w, 1);
      t.gain = RealIn(w[1], 0, 4, "gain");
    } else if (key == "envelope") {
      Arity(w, 4);
      t.envelope = {RealIn(w[1], 0, 10, "attack"), RealIn(w[2], 0, 10, "decay"),
                    RealIn(w[3], 0, 1, "sustain"), RealIn(w[4], 0, 10, "release")};
    } else {
      throw ParseError{"unknown track setting '" + key + "'"};
    }
  }

  void Notes(const std::vector<std::string>& words) {
    if (tune_.tracks.empty()) throw ParseError{"notes before the first 'track'"};
    Track& t = tune_.tracks.back();
    const std::uint32_t bar = std::uint32_t(tune_.ticksPerQuarter * 4 * tune_.meterBeats / tune_.meterUnit);
    for (const std::string& w : words) {
      if (w == "|") {
        if (t.end % bar != 0) {
          throw ParseError{"bar line after " + std::to_string(t.end % bar) + " ticks of a " +
                           std::to_string(bar) + "-tick bar"};
        }
        continue;
      }
      const auto slash = w.find('/');
      if (slash != std::string::npos) duration_ = TicksOf(w.substr(slash + 1), tune_.ticksPerQuarter);
      const std::string pitches = w.substr(0, slash);
      if (pitches != "R") {
        std::size_t from = 0;
        while (from <= pitches.size()) {
          const std::size_t plus = std::min(pitches.find('+', from), pitches.size());
          t.notes.push_back({t.end, duration_, KeyOf(pitches.substr(from, plus - from)), t.velocity});
          from = plus + 1;
        }
      }
      if (std::uint64_t(t.end) + duration_ > 0x0FFFFFFF) throw ParseError{"tune is too long"};
      t.end += duration_;
    }
  }

  Tune& tune_;
  std::uint32_t duration_ = 0;
};

}  // namespace

std::uint32_t Tune::LengthTicks() const {
  std::uint32_t length = 0;
  for (const Track& t : tracks) length = std::max(length, t.end);
  return length;
}

bool ParseTune(const std::string& text, const std::string& name, Tune& out, std::string& error) {
  out = Tune{};
  Parser parser(out);
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    try {
      parser.Line(number, line);
    } catch (const ParseError& e) {
      error = name + ":" + std::to_string(number) + ": " + e.message;
      return false;
    }
  }
  if (out.tracks.empty()) {
    error = name + ": no tracks";
    return false;
  }
  for (const Track& t : out.tracks) {
    if (t.notes.empty()) {
      error = name + ":" + std::to_string(t.line) + ": track '" + t.name + "' has no notes";
      return false;
    }
  }
  return true;
}

}  // namespace sndgen
