#pragma once
// The companion programs as the host reaches them: paths next to the host
// program, and one synchronous message to the LCD viewer or the sound player.

#include <cstdint>

#include "platform/win/types.h"

// Writes the host program's folder (up to and including its last separator)
// followed by `relative` into `out`, which holds at least 260 bytes plus the
// length of `relative`.
void ModulePath(char* out, const char* relative);

// Sends one message to the viewer's window and waits until it is handled;
// 1 when sent, 0 when there is no such window. The viewer's window is looked
// up at the first send and kept for the rest of the run.
int LcdSend(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

// The same for the sound player, whose window is looked up on every send.
int SndSend(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

// Forgets the viewer window LcdSend kept, so that a host starting its modules
// afresh (as the tests do) looks it up again.
void LcdForgetWindow();
