#pragma once
// The environment variables the programs take their settings from. Every
// program reads them once, first thing in main (ReadProgramEnv), and hands
// them to the platform (ApplyProgramEnv) and to its own modules; the
// platform's modules read no environment themselves. The list (the README's
// "Environment" says the same):
//
//   TOVSIM_INSTANCE       the instance's name; "default" when unset
//   XDG_RUNTIME_DIR       the folder instance folders live under
//   TOVSIM_HEADLESS=1     no windows, no audio, message boxes on stderr; so is
//                         a session with neither DISPLAY nor WAYLAND_DISPLAY
//   TOVSIM_CLOCK=virtual  the virtual clock, its calendar starting at
//   TOVSIM_CLOCK_START    "YYYY-MM-DDTHH:MM:SS", local time
//                         (default 2026-01-01T12:00:00)
//   TOVSIM_CLOCK_HOLD=1   with the virtual clock, the host holds time at its
//                         start until a tool advances it
//   TOVSIM_TRACE_MSG=1    the host writes every Message GetMsg hands out to
//                         stderr
//   TOVSIM_FONT_DIR       the folder of the font files (SetFontDirectory)
//   TOVSIM_NET_PORT       the host's network game port (SetNetPort)
//
// Programs started with WinExec inherit the environment; the host writes
// back what it decided for its companions (ExportProgramEnv). The variables
// of the start-up handshake (process.h) are the process layer's own.

#include <string>

namespace plat {

struct ProgramEnv {
  std::string instance;
  std::string runtimeDir;
  bool headless = false;      // asked for, or no display
  bool headlessAsked = false; // TOVSIM_HEADLESS=1
  bool noDisplay = false;     // neither DISPLAY nor WAYLAND_DISPLAY
  bool virtualClock = false;
  std::string clockStart;  // empty: the default start
  bool clockHold = false;
  bool traceMessages = false;
  std::string fontDir;     // empty: the system's fonts
  std::string netPort;     // empty: the default port
};

ProgramEnv ReadProgramEnv();

// The instance (name and runtime folder), headless mode, and the virtual
// clock when `env` asks for it (a bad start is reported on stderr and the
// default taken). Call it before any thread starts. The host's own settings
// (hold, trace) and the font folder are the program's to hand on.
void ApplyProgramEnv(const ProgramEnv& env);

// The instance's share alone, for code that changes those two variables
// while running (test helpers).
void ApplyInstanceEnv(const ProgramEnv& env);

// Writes the instance and what is switched on (headless, the virtual clock,
// its hold) back into the environment, for the programs started from here.
void ExportProgramEnv(const ProgramEnv& env);

}  // namespace plat
