// simctl: drives and inspects a running simulator instance from outside, as
// the viewer's user would, for scripts and end-to-end tests.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/sys/clock.h"
#include "platform/sys/main_guard.h"
#include "platform/sys/program_env.h"
#include "platform/sys/version.h"
#include "tools/simctl/commands.h"

namespace {

void PrintHelp() {
  std::printf(
      "Usage: simctl [--timeout MS] COMMAND [ARGS]\n"
      "\n"
      "Drives the simulator instance named by TOVSIM_INSTANCE (\"default\" when unset).\n"
      "\n"
      "Commands:\n"
      "  key KEY          press KEY (WM_KEYDOWN to the host window)\n"
      "  keyup KEY        release KEY\n"
      "  type TEXT        send each character of the UTF-8 TEXT in GB2312\n"
      "  click X Y        left button down and up at screen pixel (X, Y)\n"
      "  dblclick X Y     a double click at (X, Y)\n"
      "  post MSG W L     post any message MSG with wParam W and lParam L to the\n"
      "                   host window (numbers, decimal or 0x hex)\n"
      "  screenshot FILE  save the screen as the viewer shows it as a PNG\n"
      "  wait-idle        return once the host waits with nothing to do\n"
      "  wait-frame [N]   return after the next repaint (once the viewer has\n"
      "                   shown more than N frames), printing the frame count\n"
      "  advance MS       virtual clock only: let time run MS milliseconds, hold\n"
      "                   it there and return once the host is idle (a host\n"
      "                   started with TOVSIM_CLOCK=virtual TOVSIM_CLOCK_HOLD=1\n"
      "                   stands still until then)\n"
      "  windows          list the windows of the instance: class and title\n"
      "  mark NAME        a host started with --record: add 'frame NAME.png' to\n"
      "                   the recording at this moment\n"
      "\n"
      "KEY is a name (Enter, Escape, Left, Up, Right, Down, PageUp, PageDown, F2,\n"
      "Space, Backspace, a letter or a single digit, any case) or a virtual-key\n"
      "code of two or more digits (13, 0x0D).\n"
      "\n"
      "  --timeout MS   how long to wait for the host's answer (default 30000)\n"
      "  --help         show this text\n"
      "  --version      show the version\n"
      "\n"
      "Exit codes: 0 done, 1 failure (no host, no answer in time), 2 bad usage.\n");
}

bool ParseTimeout(std::string_view text, std::int64_t* out) {
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return false;
  *out = value;
  return true;
}

}  // namespace

static int Run(int argc, char** argv) {
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  simctl::Invocation call;
  int at = 1;
  for (; at < argc && argv[at][0] == '-' && argv[at][1] == '-'; ++at) {
    const char* option = argv[at];
    if (std::strcmp(option, "--help") == 0) {
      PrintHelp();
      return simctl::kExitOk;
    }
    if (std::strcmp(option, "--timeout") == 0 && at + 1 < argc &&
        ParseTimeout(argv[at + 1], &call.timeoutMs)) {
      ++at;
      continue;
    }
    std::fprintf(stderr, "simctl: bad option '%s' (try --help)\n", option);
    return simctl::kExitUsage;
  }
  if (at >= argc) {
    std::fprintf(stderr, "simctl: no command (try --help)\n");
    return simctl::kExitUsage;
  }
  // Our own waits are in real time whatever clock the simulator runs on.
  plat::UseRealClock();
  call.command = argv[at];
  call.args.assign(argv + at + 1, argv + argc);
  return simctl::RunCommand(call);
}

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "simctl")) return 0;
  return plat::RunMain("simctl", [&] { return Run(argc, argv); });
}
