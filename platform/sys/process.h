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
inline constexpr unsigned ERROR_ACCESS_DENIED = 5;
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

// Splits a command line the platform's way. Spaces and tabs separate words.
// The first word, the program, runs to the closing quote when it starts with
// one, else to the first blank, and takes backslashes literally. In the
// other words double quotes group (a doubled quote inside quotes is one
// literal quote); 2n backslashes before a quote give n backslashes and the
// quote groups, 2n+1 give n backslashes and a literal quote; backslashes
// elsewhere are literal.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// Absolute path of the running program (slashes, not backslashes), like
// GetModuleFileNameA: every module is the program here, so `module` is not
// used. Returns the length copied without the NUL; when the buffer is too
// small, the path is cut to size-1 bytes plus a NUL and `size` is returned
// (errno ERANGE); 0 on failure.
unsigned GetModuleFileNameA(void* module, char* buffer, unsigned size);

}  // namespace plat
