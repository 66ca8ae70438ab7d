#include "platform/sys/program_env.h"

#include <cstdio>
#include <cstdlib>

#include "platform/sys/clock.h"
#include "platform/sys/instance.h"
#include "platform/sys/msgbox.h"

namespace plat {
namespace {

constexpr char kDefaultClockStart[] = "2026-01-01T12:00:00";

std::string Text(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool Is(const char* name, const char* wanted) { return Text(name) == wanted; }

time_t ClockStart(const std::string& text) {
  time_t start = 0;
  if (!text.empty() && ParseClockStart(text.c_str(), &start)) return start;
  if (!text.empty()) {
    std::fprintf(stderr, "TOVSIM_CLOCK_START: expected YYYY-MM-DDTHH:MM:SS, got \"%s\"\n",
                 text.c_str());
  }
  ParseClockStart(kDefaultClockStart, &start);
  return start;
}

}  // namespace

ProgramEnv ReadProgramEnv() {
  ProgramEnv env;
  env.instance = Text("TOVSIM_INSTANCE");
  env.runtimeDir = Text("XDG_RUNTIME_DIR");
  env.headlessAsked = Is("TOVSIM_HEADLESS", "1");
  env.noDisplay = Text("DISPLAY").empty() && Text("WAYLAND_DISPLAY").empty();
  env.headless = env.headlessAsked || env.noDisplay;
  env.virtualClock = Is("TOVSIM_CLOCK", "virtual");
  env.clockStart = Text("TOVSIM_CLOCK_START");
  env.clockHold = Is("TOVSIM_CLOCK_HOLD", "1");
  env.traceMessages = Is("TOVSIM_TRACE_MSG", "1");
  env.fontDir = Text("TOVSIM_FONT_DIR");
  env.netPort = Text("TOVSIM_NET_PORT");
  return env;
}

void ApplyProgramEnv(const ProgramEnv& env) {
  ApplyInstanceEnv(env);
  SetHeadless(env.headless);
  if (env.virtualClock) UseVirtualClock(ClockStart(env.clockStart));
}

void ApplyInstanceEnv(const ProgramEnv& env) {
  SetInstanceName(env.instance);
  SetRuntimeDir(env.runtimeDir);
}

void ExportProgramEnv(const ProgramEnv& env) {
  if (!env.instance.empty()) setenv("TOVSIM_INSTANCE", env.instance.c_str(), 1);
  if (env.headless) setenv("TOVSIM_HEADLESS", "1", 1);
  if (env.virtualClock) setenv("TOVSIM_CLOCK", "virtual", 1);
  if (env.clockHold) setenv("TOVSIM_CLOCK_HOLD", "1", 1);
}

}  // namespace plat
