#include <gtest/gtest.h>

#include "tests/tools/sndgen/tune_text.h"
#include "tools/sndgen/tune.h"

namespace sndgen {
namespace {

// The one error reported, as printed.
std::string ErrorOf(const std::string& text) {
  Tune tune;
  codec::Diagnostics diag;
  EXPECT_FALSE(ParseTune(text, "t.tune", tune, diag));
  EXPECT_EQ(diag.ErrorCount(), 1u) << diag.Text();
  return diag.Items().empty() ? "" : codec::Diagnostics::Format(diag.Items()[0]);
}

TEST(TuneParser, DurationsCarryOverAndModify) {
  // Quarter = 96 ticks; a dotted eighth 72, an eighth triplet 32, a 64th 6.
  const Tune t = Parse("track a\nC4 D4/8. E4 F#4/8t Bb3 R/64 C-1/1\n");
  ASSERT_EQ(t.tracks.size(), 1u);
  const auto& n = t.tracks[0].notes;
  ASSERT_EQ(n.size(), 6u);
  EXPECT_EQ(n[0].length, 96u);
  EXPECT_EQ(n[1].start, 96u);
  EXPECT_EQ(n[1].length, 72u);
  EXPECT_EQ(n[2].length, 72u);  // carries over
  EXPECT_EQ(n[3].key, 66);
  EXPECT_EQ(n[3].length, 32u);
  EXPECT_EQ(n[4].key, 58);
  EXPECT_EQ(n[5].key, 0);
  EXPECT_EQ(n[5].start, 96u + 72 + 72 + 32 + 32 + 6);
  EXPECT_EQ(t.tracks[0].end, n[5].start + 384);
  EXPECT_EQ(t.LengthTicks(), t.tracks[0].end);
}

TEST(TuneParser, ChordsShareStartAndCommentsNeedAWordStart) {
  const Tune t = Parse(
      "# leading comment\ntempo 90 # trailing\nmeter 3/4\ntrack chords\n"
      "program 10\nvelocity 70\nwave bell\nenvelope 0.01 0.2 0.5 0.3\ngain 0.5\n"
      "| C4+E4+G#4/2 R/4 |\n");
  EXPECT_EQ(t.tempo, 90);
  EXPECT_EQ(t.meterBeats, 3);
  const Track& tr = t.tracks[0];
  EXPECT_EQ(tr.program, 10);
  EXPECT_EQ(tr.wave, Wave::kBell);
  EXPECT_DOUBLE_EQ(tr.envelope.release, 0.3);
  EXPECT_DOUBLE_EQ(tr.gain, 0.5);
  ASSERT_EQ(tr.notes.size(), 3u);
  for (const Note& n : tr.notes) {
    EXPECT_EQ(n.start, 0u);
    EXPECT_EQ(n.length, 192u);
    EXPECT_EQ(n.velocity, 70);
  }
  EXPECT_EQ(tr.notes[2].key, 68);
  EXPECT_EQ(tr.end, 288u);
}

TEST(TuneParser, ErrorsNameTheLineAndColumn) {
  EXPECT_EQ(ErrorOf("track a\nC4\nC4 H4\n"), "t.tune:3:4: error: 'H4' is not a pitch");
  EXPECT_EQ(ErrorOf("meter 3/4\ntrack a\n| C4/2 |\n"),
            "t.tune:3:8: error: bar line after 192 ticks of a 288-tick bar");
  EXPECT_NE(ErrorOf("track a\nC4/3\n").find("t.tune:2:1: error: duration '/3'"), std::string::npos);
  EXPECT_NE(ErrorOf("track a\nC4/4x\n").find("t.tune:2:1:"), std::string::npos);
  EXPECT_NE(ErrorOf("ticks 25\ntrack a\nC4/64\n").find("finer than the tick grid"), std::string::npos);
  EXPECT_NE(ErrorOf("C4\n").find("t.tune:1:1: error: notes before"), std::string::npos);
  EXPECT_NE(ErrorOf("tempo 0\n").find("t.tune:1:7: error: tempo"), std::string::npos);
  EXPECT_NE(ErrorOf("\tmeter 3/6  # odd\n").find("t.tune:1:8: error: meter unit"), std::string::npos);
  EXPECT_NE(ErrorOf("tempo\n").find("takes 1 value"), std::string::npos);
  EXPECT_NE(ErrorOf("track a\nwave organ\n").find("unknown wave"), std::string::npos);
  EXPECT_NE(ErrorOf("track a\nenvelope 1 2 3 4\n").find("sustain"), std::string::npos);
  EXPECT_NE(ErrorOf("track a\nC4+\n").find("is not a pitch"), std::string::npos);
  EXPECT_NE(ErrorOf("track a\nG#9\n").find("outside the MIDI range"), std::string::npos);
  EXPECT_EQ(ErrorOf("tempo 100\n"), "t.tune: error: no tracks");
  EXPECT_EQ(ErrorOf("track a\ntrack b\nC4\n"), "t.tune:1: error: track 'a' has no notes");
}

}  // namespace
}  // namespace sndgen
