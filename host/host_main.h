#pragma once
// The host's skeleton: start-up and shutdown on the window thread, the
// hidden host window that turns window messages into device Messages, and
// the application thread that runs the chosen application entry.

#include <functional>

#include "platform/win/types.h"

// The entry the application thread runs (the Desktop by default). Set it
// before HostMain; null makes the application thread close the host at once.
using HostEntry = void (*)();
void SetHostEntry(HostEntry entry);

// An action HostMain runs on its thread once the host window exists and the
// application thread has been started; a replay starts its driver there.
void SetHostStartedAction(std::function<void()> action);

// Starts the sound player, the modules and the host window, runs the message
// loop and releases the modules. 0 after a normal run, 1 when start-up
// failed (the reason was shown in a message box, except for a window that
// could not be made).
int HostMain(plat::HINSTANCE instance);

// 1 when the sound player's window exists, starting the program once when it
// is missing; else shows "Can not call Snd Proc!" and returns 0.
int StartSoundPlayer();

// Starts the LCD, MEM and MSG modules in that order; at the first failure
// shows its message and returns 0, leaving the others as they are.
int VctInit();
// Stops the MEM, LCD and MSG modules in that order.
void VctRelease();

// Registers the host window's class (once per process) and creates the
// window, which starts the application thread; null on failure.
plat::HWND CreateHostWindow(plat::HINSTANCE instance);
// The host window, found by class and title; null when there is none.
plat::HWND FindHostWindow();
// Gets, translates and dispatches the thread's messages until the quit
// message.
void RunMessageLoop();
plat::LRESULT HostWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam,
                             plat::LPARAM lParam);

// Runs the host entry, then posts WM_CLOSE to the host window. Returns 0.
unsigned AppThreadProc(void* argument);
