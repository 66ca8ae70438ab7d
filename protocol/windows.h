#pragma once
// The simulator's programs as the others find them: each window's class and
// title (FindWindowA looks windows up by this pair within one instance), the
// companion programs' paths as the host starts them, and the shared block
// that holds the emulated screen.
//
//   program            class          title           started by
//   host (bin/tovsim)  "SimClass"     "Sim"           the user, a test
//   LCD viewer         "LcdClass"     "TovLcd"        the host: kLcdProgram W H
//   sound player       "SndClass"     "TovSnd"        the host: kSndProgram, hidden
//   a tool (simctl)    "SimctlClass"  "simctl.<pid>"  the user, a test
//
// The tool's window exists only to take the answers that come later (see
// messages.h); its title carries the tool's process id.

#include <string>

inline constexpr char kHostClass[] = "SimClass";
inline constexpr char kHostTitle[] = "Sim";

inline constexpr char kLcdClass[] = "LcdClass";
inline constexpr char kLcdTitle[] = "TovLcd";

inline constexpr char kSndClass[] = "SndClass";
inline constexpr char kSndTitle[] = "TovSnd";

inline constexpr char kToolReplyClass[] = "SimctlClass";

// The reply window's title for the tool with process id `pid`.
inline std::string ToolReplyTitle(unsigned long long pid) {
  return "simctl." + std::to_string(pid);
}

// Relative to the host program's folder (Windows spelling; the platform
// drops ".exe").
inline constexpr char kLcdProgram[] = "..\\Lcd\\Lcd.exe";
inline constexpr char kSndProgram[] = "..\\Snd\\Snd.exe";

// The shared block the host flushes its screen into and the viewer copies
// from; GB2312 bytes. Its layout is in messages.h (kLcdRepaintMessage).
inline constexpr char kScreenBlockName[] = "共享内存";
