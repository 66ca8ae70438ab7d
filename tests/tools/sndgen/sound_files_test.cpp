#include <gtest/gtest.h>

#include <cstring>

#include "codec/bytes.h"
#include "tests/tools/sndgen/tune_text.h"
#include "tools/sndgen/midi_writer.h"
#include "tools/sndgen/synth.h"
#include "tools/sndgen/tune.h"
#include "tools/sndgen/wav_writer.h"

namespace sndgen {
namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return codec::ReadBe<std::uint32_t>(b, at).value_or(0);
}
std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return codec::ReadLe<std::uint32_t>(b, at).value_or(0);
}
bool TagAt(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag) {
  return at + 4 <= b.size() && std::memcmp(&b[at], tag, 4) == 0;
}

// Walks the chunks of a MIDI file; returns the track bodies.
std::vector<std::vector<std::uint8_t>> MidiTracks(const std::vector<std::uint8_t>& b) {
  std::vector<std::vector<std::uint8_t>> tracks;
  EXPECT_TRUE(TagAt(b, 0, "MThd"));
  std::size_t at = 8 + Be32(b, 4);
  while (at < b.size()) {
    EXPECT_TRUE(TagAt(b, at, "MTrk")) << "at " << at;
    const std::uint32_t len = Be32(b, at + 4);
    EXPECT_LE(at + 8 + len, b.size());
    tracks.emplace_back(b.begin() + at + 8, b.begin() + at + 8 + len);
    at += 8 + len;
  }
  return tracks;
}

TEST(MidiFile, HeaderConductorAndNoteEvents) {
  const Tune tune = Parse("tempo 100\nmeter 3/4\ntrack lead\nprogram 10\n| C4/4 R/4 E4+G4/4 |\n");
  const auto midi = WriteMidi(tune);
  ASSERT_GE(midi.size(), 14u);
  EXPECT_EQ(Be32(midi, 4), 6u);
  EXPECT_EQ(midi[9], 1);                     // format 1
  EXPECT_EQ(codec::ReadBe<std::uint16_t>(midi, 10), 2);  // conductor + one track
  EXPECT_EQ(codec::ReadBe<std::uint16_t>(midi, 12), 96);  // ticks per quarter
  const auto tracks = MidiTracks(midi);
  ASSERT_EQ(tracks.size(), 2u);

  // Conductor: tempo 600000 us per quarter, 3/4, end of track after the tune (288 ticks).
  const std::vector<std::uint8_t> conductor = {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0, 0x00, 0xFF, 0x58,
                                               0x04, 0x03, 0x02, 0x18, 0x08, 0x82, 0x20, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(tracks[0], conductor);

  const std::vector<std::uint8_t> lead = {
      0x00, 0xFF, 0x03, 0x04, 'l',  'e',  'a',  'd',   // name
      0x00, 0xC0, 0x0A,                                // program 10 on channel 0
      0x00, 0x90, 60,   90,                            // C4 on
      0x60, 0x80, 60,   0x40,                          // off after 96 ticks
      0x60, 0x90, 64,   90,   0x00, 0x90, 67, 90,      // chord on at 192
      0x60, 0x80, 64,   0x40, 0x00, 0x80, 67, 0x40,    // chord off at 288
      0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(tracks[1], lead);
}

TEST(MidiFile, OffsBeforeOnsAndChannelsSkipPercussion) {
  std::string text = "ticks 960\n";
  for (int i = 0; i < 11; ++i) text += "track t" + std::to_string(i) + "\nC4/1 C4/1\n";
  text += "track drums\nchannel 9\nC2/1\n";
  const auto tracks = MidiTracks(WriteMidi(Parse(text)));
  ASSERT_EQ(tracks.size(), 13u);
  // Long deltas need two-byte variable-length numbers: 3840 = 0x9E 0x00.
  const auto& first = tracks[1];
  const std::vector<std::uint8_t> repeat = {0x9E, 0x00, 0x80, 60, 0x40, 0x00, 0x90, 60, 90};
  EXPECT_NE(std::search(first.begin(), first.end(), repeat.begin(), repeat.end()), first.end());
  // Program change follows the name: 00 FF 03 len name 00 Cn.
  EXPECT_EQ(tracks[9][7], 0xC8);   // "t8" keeps channel 8
  EXPECT_EQ(tracks[10][7], 0xCA);  // "t9" skips percussion channel 9
  EXPECT_EQ(tracks[11][8], 0xCB);
  EXPECT_EQ(tracks[12][10], 0x99);  // percussion: no program change, notes on channel 9
}

TEST(WavFile, RiffStructure) {
  const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768};
  const auto wav = WriteWav(samples, 22050);
  ASSERT_EQ(wav.size(), kWavHeaderSize + 10);
  EXPECT_TRUE(TagAt(wav, 0, "RIFF"));
  EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
  EXPECT_TRUE(TagAt(wav, 8, "WAVE"));
  EXPECT_TRUE(TagAt(wav, 12, "fmt "));
  EXPECT_EQ(Le32(wav, 16), 16u);
  EXPECT_EQ(Le32(wav, 20), 1u | 1u << 16);  // PCM, mono
  EXPECT_EQ(Le32(wav, 24), 22050u);
  EXPECT_EQ(Le32(wav, 28), 44100u);
  EXPECT_EQ(Le32(wav, 32), 2u | 16u << 16);  // block 2, 16 bits
  EXPECT_TRUE(TagAt(wav, 36, "data"));
  EXPECT_EQ(Le32(wav, 40), 10u);
  const std::vector<std::uint8_t> data(wav.begin() + 44, wav.end());
  EXPECT_EQ(data, (std::vector<std::uint8_t>{0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x80}));
}

class Synth : public ::testing::Test {
 protected:
  std::vector<std::int16_t> Render(const std::string& text) {
    std::vector<std::int16_t> out;
    std::string error;
    EXPECT_TRUE(sndgen::Render(Parse(text), out, error)) << error;
    return out;
  }
};

TEST_F(Synth, LengthsFollowTempoReleaseAndLoop) {
  // One bar at 120 bpm is 2 s; a 0.25 s release runs past it unless the tune loops.
  const std::string body = "track a\nwave square\nenvelope 0.01 0.1 0.5 0.25\nA4/2 R/2\n";
  EXPECT_EQ(Render("rate 8000\n" + body).size(), 16000u + 2000u);
  EXPECT_EQ(Render("rate 8000\nloop on\n" + body).size(), 16000u);
}

TEST_F(Synth, LoopWrapsTailsToTheStart) {
  // The last note's release wraps onto the silent start of the loop.
  const std::string body = "rate 8000\ntrack a\nenvelope 0.001 0.1 1 0.2\nR/2 A4/2\n";
  const auto once = Render(body);
  const auto looped = Render("loop on\n" + body);
  EXPECT_EQ(once[101], 0);
  EXPECT_NE(looped[101], 0);
  EXPECT_EQ(looped[8000 + 101], once[8000 + 101]);
}

TEST_F(Synth, DeterministicAndWithinRange) {
  const std::string text =
      "rate 11025\ntrack n\nwave noise\nvelocity 127\ngain 4\nC8/8 C2/8 C5/4\n"
      "track s\nwave saw\ngain 4\nC4+E4+G4+C5/2\ntrack b\nwave bell\nC6/2\n";
  const auto a = Render(text);
  const auto b = Render(text);
  ASSERT_EQ(a, b);
  int peak = 0;
  for (std::int16_t s : a) peak = std::max(peak, std::abs(int(s)));
  EXPECT_GT(peak, 25000);  // loud mixes are scaled to 90 % of full scale, not clipped
  EXPECT_LE(peak, 29491);
}

TEST_F(Synth, RefusesAbsurdLengths) {
  Tune tune = Parse("tempo 20\nticks 24\ntrack a\nC4/1\n");
  tune.tracks[0].end = 0x0FFFFFFF;
  std::vector<std::int16_t> out;
  std::string error;
  EXPECT_FALSE(sndgen::Render(tune, out, error));
  EXPECT_NE(error.find("more than 600 s"), std::string::npos);
}

}  // namespace
}  // namespace sndgen
