#pragma once
// The LCD VCT: the emulated screen's back buffer, the shared block the
// viewer paints from, and the calls that change the screen mode.
//
// The back buffer is a 32-bit bitmap (bytes blue, green, red, 0 per pixel,
// rows top to bottom); the shared block holds exactly those bytes.

#include <cstdint>
#include <functional>

#include "host/types.h"

// The screen; a null Canvas* in the drawing calls stands for it.
extern Canvas hostScreen;

// Reads the screen size from ..\Sim.ini, makes the back buffer and the shared
// block, finds or starts the viewer and tells it to repaint. 1 or 0.
int LcdVctInit();

// Releases the back buffer and the shared block; returns 1. The size fields
// keep their values; the handle fields are cleared, so a release never
// frees anything twice and later drawing on the screen does nothing.
int LcdVctRelease();

// Copies the back buffer into the shared block and has the viewer repaint;
// 1 when the viewer was told, 0 when there is no viewer.
int FlushScreen();

// A watch on the screen updates (a replay's frames taken at an update):
// called by FlushScreen on the thread that updates the screen, once the
// shared block holds the new picture and before the viewer is told. Set it
// before the host starts and clear it (an empty function) after it stopped.
void SetScreenUpdateHook(std::function<void()> hook);

// Remakes the screen at a new size and tells the viewer. 1 or 0.
int SetScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel);

// SetScreenMode(320, 240, 32).
int ResetScreenMode();
