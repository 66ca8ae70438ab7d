#pragma once
// Starting companion programs (WinExec) and the module file name.
//
// A started program is told two things through its environment:
//   TOVSIM_SHOWMODE  the show mode its starter asked for (SW_HIDE = 0, ...),
//   TOVSIM_READY_FD  the write end of a pipe; the program signals "ready" by
//                    closing it (NotifyParentReady), which releases WinExec.

#include <string>
#include <vector>

namespace plat {

// Show modes passed on to the started program.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

// WinExec results: above 31 is success; below are the Win32 error codes.
inline constexpr unsigned ERROR_FILE_NOT_FOUND = 2;
inline constexpr unsigned ERROR_PATH_NOT_FOUND = 3;
inline constexpr unsigned ERROR_BAD_FORMAT = 11;
inline constexpr unsigned WINEXEC_OUT_OF_RESOURCES = 0;
inline constexpr unsigned WINEXEC_STARTED = 33;

// Starts the program named by the first word of `commandLine` (a
// Windows-style command line, relative to the current folder) with the
// remaining words as its arguments. Returns once the program is ready (its
// first GetMessageA), has exited, or 30 s have passed; 33 on success, an
// error code of 31 or less otherwise.
unsigned WinExec(const char* commandLine, unsigned showMode);

// Tells the program that started us (via WinExec) that we are ready. Safe to
// call any number of times and when nobody waits.
void NotifyParentReady();

// Show mode our starter asked for: $TOVSIM_SHOWMODE, or SW_SHOWNORMAL.
int StartShowMode();

// Splits a command line like CommandLineToArgvW: white space separates words,
// double quotes group, 2n backslashes before a quote give n backslashes and
// open/close the quote, 2n+1 give n backslashes and a literal quote; the
// first word ends at the first white space outside quotes and takes no
// backslash escapes.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// Absolute path of the running program, like GetModuleFileNameA(NULL, ...):
// copies at most size-1 bytes plus a NUL; returns the length copied, 0 on
// failure.
unsigned GetModuleFileNameA(void* module, char* buffer, unsigned size);

}  // namespace plat
