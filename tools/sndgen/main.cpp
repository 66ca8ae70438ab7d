// sndgen: writes the sounds of the Desktop's test application from tune sources.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sys/main_guard.h"
#include "platform/sys/version.h"
#include "tools/sndgen/midi_writer.h"
#include "tools/sndgen/synth.h"
#include "tools/sndgen/tune.h"
#include "tools/sndgen/wav_writer.h"

namespace {

constexpr const char* kUsage =
    "usage: sndgen midi SOURCE -o OUT.mid   write the tune as a Standard MIDI File\n"
    "       sndgen wav SOURCE -o OUT.wav    render the tune to 16-bit mono PCM\n"
    "       sndgen --help | --version\n"
    "\n"
    "SOURCE is a tune in the text notation described in docs/content.md.\n";

bool ReadText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return !in.bad();
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  return bool(out);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "sndgen: %s\n", message.c_str());
  return 1;
}

}  // namespace

static int Run(int argc, char** argv) {
  if (plat::AnswerHelp(argc, argv, kUsage)) return 0;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() != 4 || args[2] != "-o" || (args[0] != "midi" && args[0] != "wav")) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string& source = args[1];
  const std::string& output = args[3];
  std::string text, error;
  if (!ReadText(source, text)) return Fail("cannot read " + source + ": " + std::strerror(errno));
  sndgen::Tune tune;
  codec::Diagnostics diag;
  if (!sndgen::ParseTune(text, source, tune, diag)) {
    std::fputs(diag.Text().c_str(), stderr);
    return 1;
  }

  std::vector<std::uint8_t> bytes;
  if (args[0] == "midi") {
    bytes = sndgen::WriteMidi(tune);
  } else {
    std::vector<std::int16_t> samples;
    if (!sndgen::Render(tune, samples, error)) return Fail(source + ": " + error);
    bytes = sndgen::WriteWav(samples, tune.sampleRate);
  }
  if (!WriteBytes(output, bytes)) return Fail("cannot write " + output);
  return 0;
}

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "sndgen")) return 0;
  return plat::RunMain("sndgen", [&] { return Run(argc, argv); });
}
