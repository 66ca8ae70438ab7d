// The sound player: plays the host's sound commands until told to close.

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/sys/main_guard.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/program_env.h"
#include "platform/sys/version.h"
#include "sound/mixer_output.h"
#include "sound/player_window.h"
#include "sound/sound_board.h"

namespace {

constexpr char kUsage[] =
    "Usage: Snd [--headless]\n"
    "The simulator's sound player. It takes the host's sound commands (WAV\n"
    "samples on channels 0 to 8, MIDI as music) until it is told to close.\n"
    "  --headless  no audio device: commands only change the channels' state\n"
    "              (also with TOVSIM_HEADLESS=1 or without a display)\n"
    "  --help      this text\n"
    "  --version   the version\n";

}  // namespace

static int Run(int argc, char** argv) {
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--headless") == 0) {
      plat::SetHeadless(true);
      continue;
    }
    std::fprintf(stderr, "Snd: unknown argument '%s'\n%s", argv[i], kUsage);
    return 2;
  }

  snd::PlayerWindow player;
  std::unique_ptr<snd::MixerOutput> mixer;
  if (!plat::IsHeadless()) {
    std::string error;
    mixer = snd::MixerOutput::Open([&player](int channel) { player.PostFinished(channel); },
                                   &error);
    if (!mixer) std::fprintf(stderr, "Snd: no audio (%s); playing silently\n", error.c_str());
  }
  snd::SilentOutput silent;
  snd::SoundOutput& output = mixer ? static_cast<snd::SoundOutput&>(*mixer) : silent;
  snd::SoundBoard board(output);

  if (!player.Create(board, mixer.get())) {
    std::fprintf(stderr, "Snd: cannot create the player's window\n");
    return 1;
  }
  player.Run();
  mixer.reset();
  return 0;
}

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "Snd")) return 0;
  return plat::RunMain("Snd", [&] { return Run(argc, argv); });
}
