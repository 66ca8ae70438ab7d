// The host program. It runs with its current folder at its own folder (bin/
// of the run tree), so that the data paths "..\dat.lib", "..\Sim.ini" and
// "..\Save\" name the run tree's root whichever folder it was started from.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/app_registry.h"
#include "host/host_main.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/process.h"

namespace {

// Exit codes: a finished run, like a failed start-up, ends with 1.
constexpr int kExitRun = 1;
constexpr int kExitInfo = 0;
constexpr int kExitUsage = 2;

struct Options {
  const char* app = kDefaultAppName;
  bool listApps = false;
  bool headless = false;
  bool help = false;
};

void PrintHelp() {
  std::printf(
      "Usage: tovsim [--app NAME] [--headless]\n"
      "       tovsim --list-apps | --help\n"
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
      "  --help       show this text, and exit\n"
      "\n"
      "The exit code is 1 after a run (also when start-up failed), 0 for\n"
      "--help and --list-apps, 2 for a bad command line.\n",
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

bool EnterProgramFolder() {
  char program[4096];
  unsigned length = plat::GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return false;
  std::string folder(program, length);
  folder.erase(folder.find_last_of('/') + 1);
  return chdir(folder.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
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
  if (options.headless) {
    plat::SetHeadless(true);
    setenv("TOVSIM_HEADLESS", "1", 1);
  }
  if (!EnterProgramFolder()) {
    std::perror("tovsim: cannot enter the program's folder");
    return kExitRun;
  }
  SetHostEntry(app->entry);
  HostMain(nullptr);
  return kExitRun;
}
