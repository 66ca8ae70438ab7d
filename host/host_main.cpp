// Start-up and shutdown of the host, and the application thread's body.

#include "host/host_main.h"

#include <atomic>
#include <cstring>

#include "host/companion.h"
#include "host/host_reset.h"
#include "host/lcd.h"
#include "host/mem.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/process.h"
#include "platform/win/win.h"
#include "protocol/windows.h"

namespace {

// Room for the program's folder (the platform's path limit) and the quotes.
constexpr unsigned kCommandSize = 260 + sizeof kSndProgram + 2;

std::atomic<HostEntry> hostEntry{nullptr};
std::function<void()> hostStarted;

void ShowError(const char* text) { plat::MessageBoxA(nullptr, text, nullptr, plat::MB_OK); }

bool SoundPlayerRunning() { return plat::FindWindowA(kSndClass, kSndTitle) != nullptr; }

// The program path is quoted so that a folder with blanks stays one word.
void SoundPlayerCommand(char* out) {
  out[0] = '"';
  ModulePath(out + 1, kSndProgram);
  std::strcat(out, "\"");
}

}  // namespace

void SetHostEntry(HostEntry entry) { hostEntry = entry; }

void SetHostStartedAction(std::function<void()> action) { hostStarted = std::move(action); }

int StartSoundPlayer() {
  if (SoundPlayerRunning()) return 1;
  char command[kCommandSize];
  SoundPlayerCommand(command);
  plat::WinExec(command, plat::SW_HIDE);
  if (SoundPlayerRunning()) return 1;
  ShowError("Can not call Snd Proc!");
  return 0;
}

int VctInit() {
  if (!LcdVctInit()) {
    ShowError("LCD VCT initialize error!");
    return 0;
  }
  if (!MemVctInit()) {
    ShowError("MEM VCT initialize error!");
    return 0;
  }
  if (!MsgVctInit()) {
    ShowError("MSG VCT initialize error!");
    return 0;
  }
  return 1;
}

void VctRelease() {
  MemVctRelease();
  LcdVctRelease();
  MsgVctRelease();
}

int HostMain(plat::HINSTANCE instance) {
  if (!StartSoundPlayer()) return 1;
  if (!VctInit()) return 1;
  plat::HWND window = CreateHostWindow(instance);
  if (!window) return 1;
  if (hostStarted) hostStarted();
  RunMessageLoop();
  // Leaving the window behind would keep its name taken for a host started
  // again in this process; the process itself is about to end anyway.
  plat::DestroyWindow(window);
  VctRelease();
  return 0;
}

unsigned AppThreadProc(void*) {
  if (HostEntry entry = hostEntry.load()) entry();
  if (plat::HWND window = FindHostWindow()) plat::PostMessageA(window, plat::WM_CLOSE, 0, 0);
  return 0;
}

static const bool resetRegistered = RegisterHostReset([] {
  hostEntry = nullptr;
  hostStarted = nullptr;
});
