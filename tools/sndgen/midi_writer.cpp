#include "tools/sndgen/midi_writer.h"

#include <algorithm>
#include <cmath>

#include "codec/bytes.h"

namespace sndgen {
namespace {

constexpr int kPercussionChannel = 9;

struct Event {
  std::uint32_t tick;
  int order;  // note-offs sort before note-ons at the same tick
  std::vector<std::uint8_t> bytes;
};

// Variable-length quantity: seven bits per byte, high bit set on all but the last.
void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = std::uint8_t(v & 0x7F);
    v >>= 7;
  } while (v != 0);
  while (n > 1) out.push_back(groups[--n] | 0x80);
  out.push_back(groups[0]);
}

std::vector<std::uint8_t> MetaText(std::uint8_t type, const std::string& text) {
  std::vector<std::uint8_t> b = {0xFF, type};
  PutVarLen(b, std::uint32_t(text.size()));
  b.insert(b.end(), text.begin(), text.end());
  return b;
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* id, std::vector<Event> events,
                 std::uint32_t endTick) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  for (const Event& e : events) {
    PutVarLen(body, e.tick - now);
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  PutVarLen(body, std::max(endTick, now) - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  out.insert(out.end(), id, id + 4);
  codec::AppendBe(out, std::uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

std::vector<Event> ConductorEvents(const Tune& tune) {
  const auto microsPerQuarter = std::uint32_t(std::lround(60'000'000.0 / tune.tempo));
  std::vector<std::uint8_t> tempo = {0xFF, 0x51, 0x03};
  codec::AppendBe(tempo, microsPerQuarter, 3);  // 24 bits
  int unitPower = 0;
  while ((1 << unitPower) < tune.meterUnit) ++unitPower;
  std::vector<std::uint8_t> meter = {0xFF, 0x58, 0x04, std::uint8_t(tune.meterBeats),
                                     std::uint8_t(unitPower), 24, 8};
  return {{0, 0, tempo}, {0, 0, meter}};
}

// Channels in track order, skipping percussion unless a track asks for it.
std::vector<int> AssignChannels(const Tune& tune) {
  std::vector<int> channels;
  int next = 0;
  for (const Track& t : tune.tracks) {
    if (t.channel >= 0) {
      channels.push_back(t.channel);
      continue;
    }
    if (next == kPercussionChannel) ++next;
    channels.push_back(next % 16);
    next = (next + 1) % 16;
  }
  return channels;
}

std::vector<Event> TrackEvents(const Track& t, int channel) {
  const auto ch = std::uint8_t(channel);
  std::vector<Event> events = {{0, 0, MetaText(0x03, t.name)}};
  if (channel != kPercussionChannel) {
    events.push_back({0, 0, {std::uint8_t(0xC0 | ch), std::uint8_t(t.program)}});
  }
  for (const Note& n : t.notes) {
    const auto key = std::uint8_t(n.key), velocity = std::uint8_t(n.velocity);
    events.push_back({n.start, 2, {std::uint8_t(0x90 | ch), key, velocity}});
    events.push_back({n.start + n.length, 1, {std::uint8_t(0x80 | ch), key, 0x40}});
  }
  return events;
}

}  // namespace

std::vector<std::uint8_t> WriteMidi(const Tune& tune) {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  codec::AppendBe<std::uint16_t>(out, tune.tracks.size() + 1);
  codec::AppendBe<std::uint16_t>(out, tune.ticksPerQuarter);
  const std::uint32_t end = tune.LengthTicks();
  AppendChunk(out, "MTrk", ConductorEvents(tune), end);
  const std::vector<int> channels = AssignChannels(tune);
  for (std::size_t i = 0; i < tune.tracks.size(); ++i) {
    AppendChunk(out, "MTrk", TrackEvents(tune.tracks[i], channels[i]), end);
  }
  return out;
}

}  // namespace sndgen
