// The host program. It runs with its current folder at its own folder (bin/
// of the run tree), so that the data paths "..\dat.lib", "..\Sim.ini" and
// "..\Save\" name the run tree's root whichever folder it was started from.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/host_main.h"
#include "host/msg.h"
#include "host/replay/recorder.h"
#include "host/replay/replay_driver.h"
#include "host/run_tree.h"
#include "platform/gdi/font_files.h"
#include "platform/net/net_limits.h"
#include "platform/sys/clock.h"
#include "platform/sys/main_guard.h"
#include "platform/sys/process.h"
#include "platform/sys/program_env.h"
#include "platform/sys/version.h"

namespace {

// Exit codes: a finished run, like a failed start-up, ends with 1; a replay
// ends with 0 when every step was taken and every frame written.
constexpr int kExitRun = 1;
constexpr int kExitInfo = 0;
constexpr int kExitUsage = 2;
constexpr int kExitReplayDone = 0;
constexpr int kExitReplayFailed = 1;

struct Options {
  const char* app = kDefaultAppName;
  const char* replay = nullptr;
  const char* record = nullptr;
  const char* frames = nullptr;
  bool listApps = false;
  bool headless = false;
  bool help = false;
};

AppEntryFunction chosenApp = nullptr;

void PrintHelp() {
  std::printf(
      "Usage: tovsim [--app NAME] [--headless]\n"
      "       tovsim [--app NAME] --replay FILE --frames DIR\n"
      "       tovsim [--app NAME] [--headless] --record FILE [--frames DIR]\n"
      "       tovsim --list-apps | --help | --version\n"
      "\n"
      "Runs the handheld device simulator: starts the sound player and the LCD\n"
      "viewer next to this program (../Snd, ../Lcd) unless they run already,\n"
      "and runs an application on the emulated device. The program works in its\n"
      "own folder, so data files are found in the folder above it.\n"
      "\n"
      "  --app NAME   run the application NAME instead of the Desktop (\"%s\")\n"
      "  --list-apps  list the applications that can be run, and exit\n"
      "  --headless   no windows, no audio, message boxes on stderr; the\n"
      "               companions are told through TOVSIM_HEADLESS=1\n"
      "  --replay FILE  run headless on a virtual clock held between the steps\n"
      "               of FILE (input at virtual times, screens to save), then end\n"
      "  --record FILE  run as usual and write the input the host gets as a\n"
      "               replay file, on a virtual clock paced after real time; F9\n"
      "               in the viewer or 'simctl mark NAME' adds a frame line\n"
      "  --frames DIR the folder the replay's frames (or the recording's marked\n"
      "               screens) are written to (made when missing)\n"
      "  --help       show this text, and exit\n"
      "  --version    show the version, and exit\n"
      "\n"
      "A replay file has one step per line, TIME COMMAND ARGS, TIME in virtual\n"
      "milliseconds: key KEY, keyup KEY, type TEXT, click X Y, dblclick X Y,\n"
      "post MSG WPARAM LPARAM, frame NAME.png, or frame-update N NAME.png (the\n"
      "screen right after the N-th screen update from then on); '#' starts a\n"
      "comment.\n"
      "\n"
      "The exit code is 1 after a run (also when start-up failed), 0 for\n"
      "--help and --list-apps, 2 for a bad command line or replay file. A\n"
      "replay ends with 0 when every step was taken and every frame written,\n"
      "else 1; a recording with 0 when every line and frame was written.\n",
      kDefaultAppName);
}

// False, after saying why, for a bad command line.
bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--app") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "tovsim: --app needs an application name\n");
        return false;
      }
      options->app = argv[++i];
    } else if (std::strncmp(arg, "--app=", 6) == 0) {
      options->app = arg + 6;
    } else if (std::strcmp(arg, "--replay") == 0 || std::strcmp(arg, "--frames") == 0 ||
               std::strcmp(arg, "--record") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "tovsim: %s needs a path\n", arg);
        return false;
      }
      const char** slot = std::strcmp(arg, "--frames") == 0   ? &options->frames
                          : std::strcmp(arg, "--replay") == 0 ? &options->replay
                                                              : &options->record;
      *slot = argv[++i];
    } else if (std::strcmp(arg, "--list-apps") == 0) {
      options->listApps = true;
    } else if (std::strcmp(arg, "--headless") == 0) {
      options->headless = true;
    } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      options->help = true;
    } else {
      std::fprintf(stderr, "tovsim: unknown option '%s' (try --help)\n", arg);
      return false;
    }
  }
  if (options->replay && options->record) {
    std::fprintf(stderr, "tovsim: --replay and --record exclude each other\n");
    return false;
  }
  if (options->replay && !options->frames) {
    std::fprintf(stderr, "tovsim: --replay and --frames DIR go together\n");
    return false;
  }
  if (options->frames && !options->replay && !options->record) {
    std::fprintf(stderr, "tovsim: --frames goes together with --replay or --record\n");
    return false;
  }
  return true;
}

// An application started on its own finds the screen as a launch from the
// Desktop leaves it: cleared to white.
void RunChosenApp() {
  CanvasClear(nullptr);
  chosenApp();
}

// The frames folder as an absolute path (the host changes its folder),
// made when missing; empty after saying why.
std::string PrepareFramesFolder(const char* folder) {
  if (mkdir(folder, 0777) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "tovsim: cannot make %s: %s\n", folder, std::strerror(errno));
    return {};
  }
  char* absolute = realpath(folder, nullptr);
  struct stat info {};
  if (!absolute || stat(absolute, &info) != 0 || !S_ISDIR(info.st_mode)) {
    std::fprintf(stderr, "tovsim: %s is not a folder\n", folder);
    std::free(absolute);
    return {};
  }
  std::string path(absolute);
  std::free(absolute);
  return path;
}

// Reads the script and sets the program's settings up for it; null after
// saying why.
std::unique_ptr<replay::Driver> PrepareReplay(const Options& options, plat::ProgramEnv* env) {
  std::vector<replay::Step> steps;
  codec::Diagnostics diag;
  if (!replay::LoadScript(options.replay, &steps, &diag)) {
    std::fputs(diag.Text().c_str(), stderr);
    return nullptr;
  }
  std::string frames = PrepareFramesFolder(options.frames);
  if (frames.empty()) return nullptr;
  replay::PrepareProcess(env);
  auto driver = std::make_unique<replay::Driver>(std::move(steps), std::move(frames));
  SetHostStartedAction([d = driver.get()] { d->Start(); });
  return driver;
}

// Opens the recording and sets the program's settings up for it; null after
// saying why.
std::unique_ptr<replay::Recorder> PrepareRecord(const Options& options, plat::ProgramEnv* env) {
  std::string frames;
  if (options.frames) {
    frames = PrepareFramesFolder(options.frames);
    if (frames.empty()) return nullptr;
  }
  auto recorder = std::make_unique<replay::Recorder>(options.record, std::move(frames));
  std::string error;
  if (!recorder->Open(&error)) {
    std::fprintf(stderr, "tovsim: %s\n", error.c_str());
    return nullptr;
  }
  replay::PrepareRecording(env);
  SetHostStartedAction([r = recorder.get()] { r->Start(); });
  return recorder;
}

int FinishRecord(replay::Recorder* recorder) {
  std::string error;
  if (recorder->Finish(&error)) return kExitReplayDone;
  std::fprintf(stderr, "tovsim: record: %s\n", error.c_str());
  return kExitReplayFailed;
}

int FinishReplay(replay::Driver* driver) {
  std::string error;
  if (driver->Finish(&error)) return kExitReplayDone;
  std::fprintf(stderr, "tovsim: replay: %s\n", error.c_str());
  return kExitReplayFailed;
}

// A run that would show windows, started where there is no display: without
// this it would run unseen, waiting for input nobody can give.
bool ExplainNoDisplay(const plat::ProgramEnv& env, const Options& options) {
  if (!env.noDisplay || env.headlessAsked || options.headless || options.replay) return false;
  std::fprintf(stderr,
               "tovsim: no display: neither DISPLAY nor WAYLAND_DISPLAY is set, so the LCD\n"
               "viewer cannot open its window. Either\n"
               "  run without windows:      tovsim --headless   (drive it with simctl)\n"
               "  replay scripted input:    tovsim --replay FILE --frames DIR\n"
               "  or give it a display:     xvfb-run tovsim\n");
  return true;
}

void ListApps() {
  for (std::size_t i = 0; i < AppCount(); ++i) std::printf("%s\n", AppAt(i)->name);
}

void ExplainMissingApp(const char* name) {
  if (std::strcmp(name, kDefaultAppName) == 0) {
    std::fprintf(stderr, "tovsim: no Desktop is registered in this build; ");
  } else {
    std::fprintf(stderr, "tovsim: no application named '%s'; ", name);
  }
  if (AppCount() == 0) {
    std::fprintf(stderr, "no application is registered at all\n");
    return;
  }
  std::fprintf(stderr, "choose one with --app NAME:\n");
  for (std::size_t i = 0; i < AppCount(); ++i) std::fprintf(stderr, "  %s\n", AppAt(i)->name);
}

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool EnterProgramFolder() {
  char program[4096];
  unsigned length = plat::GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return false;
  std::string folder(program, length);
  folder.erase(folder.find_last_of('/') + 1);
  return chdir(folder.c_str()) == 0;
}

// A bad port is said and the default kept.
void ApplyNetPort(const std::string& text) {
  if (text.empty()) return;
  if (const auto port = plat::net::ParsePort(text)) {
    SetNetPort(*port);
  } else {
    std::fprintf(stderr, "TOVSIM_NET_PORT: expected a port from 1 to 65535, got \"%s\"; using %u\n",
                 text.c_str(), unsigned(NetPort()));
  }
}

// Hands the settings to the platform and the host's modules; the companions
// started later inherit them through the environment. A driven run (the
// end-to-end tests, a replay) starts with virtual time standing still, so
// that every tick happens when the driver lets the clock run.
void ApplySettings(const plat::ProgramEnv& env) {
  plat::ApplyProgramEnv(env);
  plat::ExportProgramEnv(env);
  plat::SetFontDirectory(env.fontDir);
  SetMessageTrace(env.traceMessages);
  ApplyNetPort(env.netPort);
  if (env.clockHold && plat::ClockIsVirtual()) plat::HoldClock();
}

int Run(int argc, char** argv) {
  plat::ProgramEnv env = plat::ReadProgramEnv();
  Options options;
  if (!ParseOptions(argc, argv, &options)) return kExitUsage;
  if (options.help) {
    PrintHelp();
    return kExitInfo;
  }
  if (options.listApps) {
    ListApps();
    return kExitInfo;
  }
  const AppEntry* app = FindApp(options.app);
  if (!app) {
    ExplainMissingApp(options.app);
    return std::strcmp(options.app, kDefaultAppName) == 0 ? kExitRun : kExitUsage;
  }
  if (ExplainNoDisplay(env, options)) return kExitRun;
  std::unique_ptr<replay::Driver> replayDriver;
  if (options.replay) {
    replayDriver = PrepareReplay(options, &env);
    if (!replayDriver) return kExitUsage;
  }
  std::unique_ptr<replay::Recorder> recorder;
  if (options.record) {
    recorder = PrepareRecord(options, &env);
    if (!recorder) return kExitUsage;
  }
  if (options.headless) env.headless = true;
  ApplySettings(env);
  if (!EnterProgramFolder()) {
    std::perror("tovsim: cannot enter the program's folder");
    return kExitRun;
  }
  chosenApp = app->entry;
  const bool desktop = std::strcmp(app->name, kDefaultAppName) == 0;
  CheckRunTree(desktop);
  UseWritableSaveFolder(EnvText("XDG_DATA_HOME"), EnvText("HOME"));
  SetHostEntry(desktop ? app->entry : RunChosenApp);
  HostMain(nullptr);
  if (recorder) return FinishRecord(recorder.get());
  return replayDriver ? FinishReplay(replayDriver.get()) : kExitRun;
}

}  // namespace

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "tovsim")) return 0;
  return plat::RunMain("tovsim", [&] { return Run(argc, argv); });
}
