#include "host/companion.h"

#include <cstring>

#include "host/host_reset.h"
#include "platform/sys/process.h"
#include "platform/win/win.h"
#include "protocol/windows.h"

namespace {

// Room for the program's path, as the platform's path limit.
constexpr unsigned kMaxPath = 260;

bool lcdLookedUp = false;
plat::HWND lcdWindow = nullptr;

int SendTo(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  if (!window || !plat::IsWindow(window)) return 0;
  plat::SendMessageA(window, message, wParam, lParam);
  return 1;
}

}  // namespace

void ModulePath(char* out, const char* relative) {
  char program[kMaxPath];
  unsigned length = plat::GetModuleFileNameA(nullptr, program, kMaxPath);
  if (length >= kMaxPath) length = kMaxPath - 1;
  program[length] = '\0';
  // Our module path uses slashes; a backslash is accepted as well.
  std::size_t cut = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (program[i] == '/' || program[i] == '\\') cut = i + 1;
  }
  std::memcpy(out, program, cut);
  std::strcpy(out + cut, relative);
}

int LcdSend(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  if (!lcdLookedUp) {
    lcdWindow = plat::FindWindowA(kLcdClass, kLcdTitle);
    lcdLookedUp = true;
  }
  return SendTo(lcdWindow, message, wParam, lParam);
}

int SndSend(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  return SendTo(plat::FindWindowA(kSndClass, kSndTitle), message, wParam, lParam);
}

void LcdForgetWindow() {
  lcdLookedUp = false;
  lcdWindow = nullptr;
}

static const bool resetRegistered = RegisterHostReset(LcdForgetWindow);
