// Reader of the tune notation: one directive or a run of notes per line,
// a word starting with '#' starts a comment. Notes look like C4/8, F#5/4., Bb3/8t, chords join
// pitches with '+' (C4+E4+G4/2), R is a rest and '|' a bar line that must fall
// on a whole bar. The first fault ends the reading; it is reported at its word.
#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "tools/sndgen/tune.h"

namespace sndgen {
namespace {

constexpr std::size_t kMaxTracks = 64;

using codec::Word;

// Errors of one line, each at the word it is about.
class LineReport {
 public:
  LineReport(const std::string& name, int line, codec::Diagnostics& diag)
      : name_(name), line_(line), diag_(diag) {}
  bool Fail(const Word& at, std::string message) const {
    diag_.Error({name_, line_, at.col}, std::move(message));
    return false;
  }

 private:
  const std::string& name_;
  int line_;
  codec::Diagnostics& diag_;
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

std::optional<int> IntIn(const LineReport& r, const Word& at, const std::string& s, int lo, int hi,
                         const char* what) {
  int v = 0;
  if (ParseInt(s, v) && v >= lo && v <= hi) return v;
  r.Fail(at, std::string(what) + " must be a whole number from " + std::to_string(lo) + " to " +
                 std::to_string(hi) + ", not '" + s + "'");
  return std::nullopt;
}

std::optional<double> RealIn(const LineReport& r, const Word& at, double lo, double hi,
                             const char* what) {
  std::istringstream in(at.text);
  double v = 0;
  if ((in >> v) && in.eof() && v >= lo && v <= hi) return v;
  r.Fail(at, std::string(what) + " must be a number from " + std::to_string(lo) + " to " +
                 std::to_string(hi) + ", not '" + at.text + "'");
  return std::nullopt;
}

std::optional<Wave> WaveNamed(const LineReport& r, const Word& at) {
  static const std::pair<const char*, Wave> kWaves[] = {
      {"sine", Wave::kSine}, {"triangle", Wave::kTriangle}, {"square", Wave::kSquare},
      {"saw", Wave::kSaw},   {"noise", Wave::kNoise},       {"bell", Wave::kBell}};
  for (const auto& [name, wave] : kWaves) {
    if (at.text == name) return wave;
  }
  r.Fail(at, "unknown wave '" + at.text + "' (sine, triangle, square, saw, noise, bell)");
  return std::nullopt;
}

// "C4", "F#5", "Bb3" to a MIDI key number (C4 = 60).
std::optional<int> KeyOf(const LineReport& r, const Word& at, const std::string& s) {
  static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (s.empty() || s[0] < 'A' || s[0] > 'G') {
    r.Fail(at, "'" + s + "' is not a pitch");
    return std::nullopt;
  }
  int key = kSemitone[s[0] - 'A'];
  std::size_t i = 1;
  if (i < s.size() && (s[i] == '#' || s[i] == 'b')) key += s[i++] == '#' ? 1 : -1;
  int octave = 0;
  if (!ParseInt(s.substr(i), octave) || octave < -1 || octave > 9) {
    r.Fail(at, "'" + s + "' needs an octave from -1 to 9");
    return std::nullopt;
  }
  key += (octave + 1) * 12;
  if (key < 0 || key > 127) {
    r.Fail(at, "pitch '" + s + "' is outside the MIDI range");
    return std::nullopt;
  }
  return key;
}

// "8", "4.", "8t" to ticks.
std::optional<std::uint32_t> TicksOf(const LineReport& r, const Word& at, const std::string& s,
                                     int ticksPerQuarter) {
  std::size_t digits = 0;
  while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') ++digits;
  int division = 0;
  if (!ParseInt(s.substr(0, digits), division) || division < 1 || division > 64 ||
      (division & (division - 1)) != 0) {
    r.Fail(at, "duration '/" + s + "' must be /1, /2, /4 ... /64");
    return std::nullopt;
  }
  const std::string mods = s.substr(digits);
  if (mods != "" && mods != "." && mods != "t") {
    r.Fail(at, "duration '/" + s + "' may end only in '.' (dotted) or 't' (triplet)");
    return std::nullopt;
  }
  std::uint64_t num = std::uint64_t(ticksPerQuarter) * 4, den = std::uint64_t(division);
  if (mods == ".") num *= 3, den *= 2;
  if (mods == "t") num *= 2, den *= 3;
  if (num % den != 0) {
    r.Fail(at, "duration '/" + s + "' is finer than the tick grid");
    return std::nullopt;
  }
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

  bool Line(int number, const std::string& raw, const LineReport& r) {
    const std::vector<Word> words = codec::SplitWords(WithoutComment(raw));
    if (words.empty()) return true;
    const std::string& head = words[0].text;
    if (head == "|" || head[0] == 'R' || head[0] == '|' || (head[0] >= 'A' && head[0] <= 'G')) {
      return Notes(words, r);
    }
    if (head == "track") {
      if (words.size() != 2) return r.Fail(words[0], "'track' takes one name");
      if (tune_.tracks.size() >= kMaxTracks) {
        return r.Fail(words[0], "more than " + std::to_string(kMaxTracks) + " tracks");
      }
      tune_.tracks.push_back(Track{});
      tune_.tracks.back().name = words[1].text;
      tune_.tracks.back().line = number;
      duration_ = std::uint32_t(tune_.ticksPerQuarter);
      return true;
    }
    return tune_.tracks.empty() ? TuneSetting(words, r) : TrackSetting(tune_.tracks.back(), words, r);
  }

 private:
  static bool Arity(const std::vector<Word>& w, std::size_t n, const LineReport& r) {
    if (w.size() == n + 1) return true;
    return r.Fail(w[0], "'" + w[0].text + "' takes " + std::to_string(n) + (n == 1 ? " value" : " values"));
  }

  // Sets `field` from the setting's one value; false after reporting.
  template <class T>
  static bool Set(T& field, std::optional<T> value) {
    if (value) field = *value;
    return value.has_value();
  }

  bool TuneSetting(const std::vector<Word>& w, const LineReport& r) {
    const std::string& key = w[0].text;
    if (key == "tempo") return Arity(w, 1, r) && Set(tune_.tempo, IntIn(r, w[1], w[1].text, 20, 400, "tempo"));
    if (key == "meter") {
      if (!Arity(w, 1, r)) return false;
      const std::string& s = w[1].text;
      const auto slash = s.find('/');
      if (slash == std::string::npos) return r.Fail(w[1], "meter is written like 3/4");
      if (!Set(tune_.meterBeats, IntIn(r, w[1], s.substr(0, slash), 1, 32, "meter beats")) ||
          !Set(tune_.meterUnit, IntIn(r, w[1], s.substr(slash + 1), 1, 32, "meter unit"))) {
        return false;
      }
      if (tune_.meterUnit & (tune_.meterUnit - 1)) return r.Fail(w[1], "meter unit must be a power of two");
      return true;
    }
    if (key == "ticks") {
      return Arity(w, 1, r) &&
             Set(tune_.ticksPerQuarter, IntIn(r, w[1], w[1].text, 24, 960, "ticks per quarter note"));
    }
    if (key == "rate") {
      return Arity(w, 1, r) && Set(tune_.sampleRate, IntIn(r, w[1], w[1].text, 8000, 48000, "sample rate"));
    }
    if (key == "loop") {
      if (!Arity(w, 1, r)) return false;
      if (w[1].text != "on" && w[1].text != "off") return r.Fail(w[1], "loop is 'on' or 'off'");
      tune_.loop = w[1].text == "on";
      return true;
    }
    return r.Fail(w[0], "unknown setting '" + key + "' before the first track");
  }

  static bool TrackSetting(Track& t, const std::vector<Word>& w, const LineReport& r) {
    const std::string& key = w[0].text;
    if (key == "program") return Arity(w, 1, r) && Set(t.program, IntIn(r, w[1], w[1].text, 0, 127, "program"));
    if (key == "channel") return Arity(w, 1, r) && Set(t.channel, IntIn(r, w[1], w[1].text, 0, 15, "channel"));
    if (key == "velocity") {
      return Arity(w, 1, r) && Set(t.velocity, IntIn(r, w[1], w[1].text, 1, 127, "velocity"));
    }
    if (key == "wave") return Arity(w, 1, r) && Set(t.wave, WaveNamed(r, w[1]));
    if (key == "gain") return Arity(w, 1, r) && Set(t.gain, RealIn(r, w[1], 0, 4, "gain"));
    if (key == "envelope") {
      return Arity(w, 4, r) && Set(t.envelope.attack, RealIn(r, w[1], 0, 10, "attack")) &&
             Set(t.envelope.decay, RealIn(r, w[2], 0, 10, "decay")) &&
             Set(t.envelope.sustain, RealIn(r, w[3], 0, 1, "sustain")) &&
             Set(t.envelope.release, RealIn(r, w[4], 0, 10, "release"));
    }
    return r.Fail(w[0], "unknown track setting '" + key + "'");
  }

  bool Notes(const std::vector<Word>& words, const LineReport& r) {
    if (tune_.tracks.empty()) return r.Fail(words[0], "notes before the first 'track'");
    Track& t = tune_.tracks.back();
    const std::uint32_t bar = std::uint32_t(tune_.ticksPerQuarter * 4 * tune_.meterBeats / tune_.meterUnit);
    for (const Word& w : words) {
      if (w.text == "|") {
        if (t.end % bar != 0) {
          return r.Fail(w, "bar line after " + std::to_string(t.end % bar) + " ticks of a " +
                               std::to_string(bar) + "-tick bar");
        }
        continue;
      }
      const auto slash = w.text.find('/');
      if (slash != std::string::npos &&
          !Set(duration_, TicksOf(r, w, w.text.substr(slash + 1), tune_.ticksPerQuarter))) {
        return false;
      }
      const std::string pitches = w.text.substr(0, slash);
      if (pitches != "R") {
        std::size_t from = 0;
        while (from <= pitches.size()) {
          const std::size_t plus = std::min(pitches.find('+', from), pitches.size());
          const std::optional<int> key = KeyOf(r, w, pitches.substr(from, plus - from));
          if (!key) return false;
          t.notes.push_back({t.end, duration_, *key, t.velocity});
          from = plus + 1;
        }
      }
      if (std::uint64_t(t.end) + duration_ > 0x0FFFFFFF) return r.Fail(w, "tune is too long");
      t.end += duration_;
    }
    return true;
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

bool ParseTune(const std::string& text, const std::string& name, Tune& out, codec::Diagnostics& diag) {
  out = Tune{};
  Parser parser(out);
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!parser.Line(number, line, LineReport(name, number, diag))) return false;
  }
  if (out.tracks.empty()) {
    diag.Error({name, 0, 0}, "no tracks");
    return false;
  }
  for (const Track& t : out.tracks) {
    if (t.notes.empty()) {
      diag.Error({name, t.line, 0}, "track '" + t.name + "' has no notes");
      return false;
    }
  }
  return true;
}

}  // namespace sndgen
