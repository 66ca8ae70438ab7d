#include "host/lcd.h"

#include <cstdio>

#include "host/companion.h"
#include "host/host_reset.h"
#include "platform/gdi/gdi.h"
#include "platform/sys/ini.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/process.h"
#include "platform/sys/shm.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "protocol/windows.h"

Canvas hostScreen;

namespace {

constexpr char kIniPath[] = "..\\Sim.ini";
constexpr int32_t kDefaultWidth = 320;
constexpr int32_t kDefaultHeight = 240;
constexpr int32_t kDefaultBitsPerPixel = 32;
// Room for the viewer's command line: a path plus two numbers.
constexpr std::size_t kCommandSize = 260 + 64;

plat::FileMapping* mapping = nullptr;
std::function<void()> updateHook;

// Low 32 bits of a host address, for the record that crosses processes.
uint32_t Low32(const void* address) { return uint32_t(reinterpret_cast<uintptr_t>(address)); }

// Steps shared by start-up and mode changes: back buffer, its size, the
// shared block and its view. Whatever was made stays in hostScreen on failure.
bool MakeBackBuffer() {
  hostScreen.dc = plat::CreateCompatibleDC(nullptr);
  hostScreen.bitmap = plat::CreateCompatibleBitmap(nullptr, hostScreen.width, hostScreen.height);
  if (!hostScreen.dc || !hostScreen.bitmap) return false;
  plat::SelectObject(hostScreen.dc, hostScreen.bitmap);

  plat::BITMAP info;
  if (!plat::GetObjectA(hostScreen.bitmap, sizeof info, &info)) return false;
  hostScreen.byteSize = uint32_t(info.bmWidthBytes) * uint32_t(info.bmHeight);

  mapping = plat::CreateFileMappingA(kScreenBlockName, hostScreen.byteSize);
  if (!mapping) return false;
  hostScreen.pixels = plat::MapViewOfFile(mapping);
  return hostScreen.pixels != nullptr;
}

void FormatViewerCommand(char* out, int32_t width, int32_t height) {
  std::snprintf(out, kCommandSize, "%s %d %d", kLcdProgram, int(width), int(height));
}

// Finds the viewer's window, starting `command` once when it is missing.
plat::HWND FindOrStartViewer(const char* command) {
  plat::HWND window = plat::FindWindowA(kLcdClass, kLcdTitle);
  if (window) return window;
  plat::WinExec(command, plat::SW_SHOW);
  return plat::FindWindowA(kLcdClass, kLcdTitle);
}

}  // namespace

int LcdVctInit() {
  hostScreen.width = int32_t(plat::GetPrivateProfileIntA("LCD", "width", kDefaultWidth, kIniPath));
  hostScreen.height =
      int32_t(plat::GetPrivateProfileIntA("LCD", "height", kDefaultHeight, kIniPath));
  hostScreen.bitsPerPixel =
      int32_t(plat::GetPrivateProfileIntA("LCD", "bitperpixel", kDefaultBitsPerPixel, kIniPath));
  if (!MakeBackBuffer()) return 0;

  char command[kCommandSize];
  FormatViewerCommand(command, hostScreen.width, hostScreen.height);
  char fullCommand[kCommandSize + 260];
  ModulePath(fullCommand, command);
  hostScreen.window = FindOrStartViewer(fullCommand);
  if (!hostScreen.window) return 0;

  LcdSend(kLcdRepaintMessage, 0, 0);
  return 1;
}

int LcdVctRelease() {
  if (hostScreen.pixels) {
    if (!plat::UnmapViewOfFile(hostScreen.pixels)) {
      plat::MessageBoxA(nullptr, "Can not unmap view of file!", nullptr, plat::MB_OK);
    }
    hostScreen.pixels = nullptr;
  }
  plat::CloseFileMapping(mapping);
  mapping = nullptr;
  if (hostScreen.dc) {
    // The screen owns its selected font (see SelectFont); it goes with the DC.
    plat::HGDIOBJ font = plat::GetCurrentObject(hostScreen.dc, plat::OBJ_FONT);
    plat::DeleteDC(hostScreen.dc);
    if (font) plat::DeleteObject(font);
    hostScreen.dc = nullptr;
  }
  if (hostScreen.bitmap) {
    plat::DeleteObject(hostScreen.bitmap);
    hostScreen.bitmap = nullptr;
  }
  return 1;
}

int FlushScreen() {
  if (hostScreen.bitmap && hostScreen.pixels) {
    plat::GetBitmapBits(hostScreen.bitmap, long(hostScreen.byteSize), hostScreen.pixels);
    if (updateHook) updateHook();
  }
  return LcdSend(kLcdRepaintMessage, 0, 0);
}

void SetScreenUpdateHook(std::function<void()> hook) { updateHook = std::move(hook); }

int SetScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
  LcdVctRelease();
  hostScreen.width = width;
  hostScreen.height = height;
  hostScreen.bitsPerPixel = bitsPerPixel;
  if (!MakeBackBuffer()) return 0;

  // A viewer started here is found relative to the current folder.
  char command[kCommandSize];
  FormatViewerCommand(command, width, height);
  hostScreen.window = FindOrStartViewer(command);
  if (!hostScreen.window) return 0;

  ScreenModeRecord record{hostScreen.width,         hostScreen.height,
                          hostScreen.bitsPerPixel,  hostScreen.byteSize,
                          Low32(hostScreen.dc),     Low32(hostScreen.bitmap),
                          Low32(hostScreen.window), Low32(hostScreen.pixels)};
  plat::COPYDATASTRUCT descriptor{kScreenModeCopyData, sizeof record, &record};
  LcdSend(plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&descriptor));
  return 1;
}

int ResetScreenMode() { return SetScreenMode(320, 240, 32); }

static const bool resetRegistered = RegisterHostReset([] {
  LcdVctRelease();
  hostScreen = Canvas{};
});
