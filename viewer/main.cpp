// The LCD viewer: shows the host's screen and forwards the user's input.

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "drive/lcd_frame.h"
#include "platform/sys/main_guard.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/program_env.h"
#include "platform/sys/version.h"
#include "platform/win/win.h"
#include "viewer/sdl_display.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_settings.h"
#include "viewer/viewer_window.h"

namespace {

// Without a display the window thread is the main thread and the frames are
// kept for tools only.
int RunHeadless(drive::LcdFrame& frame) {
  lcd::ViewerWindow window(frame, nullptr);
  if (!window.Create()) {
    std::fprintf(stderr, "Lcd: cannot create the viewer's window\n");
    return 1;
  }
  window.Run();
  return 0;
}

// With a display the window's message loop runs on a thread of its own and
// the main thread runs SDL's.
int RunShown(lcd::SdlDisplay& display, drive::LcdFrame& frame) {
  lcd::ViewerWindow viewerWindow(frame, &display);
  plat::HWND window = nullptr;
  bool created = false;
  std::mutex mutex;
  std::condition_variable ready;
  std::thread windowThread([&] {
    const bool made = viewerWindow.Create();
    {
      std::lock_guard lock(mutex);
      window = made ? viewerWindow.hwnd() : nullptr;
      created = true;
    }
    ready.notify_one();
    if (made) viewerWindow.Run();
  });
  {
    std::unique_lock lock(mutex);
    ready.wait(lock, [&] { return created; });
  }
  if (!window) {
    windowThread.join();
    std::fprintf(stderr, "Lcd: cannot create the viewer's window\n");
    return 1;
  }
  display.Run(window);
  windowThread.join();
  return 0;
}

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

static int Run(int argc, char** argv) {
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  std::string error;
  std::optional<lcd::ViewerOptions> options =
      lcd::ParseViewerOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!options) {
    std::fprintf(stderr, "Lcd: %s\n%s", error.c_str(), lcd::kViewerUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(lcd::kViewerUsage, stdout);
    return 0;
  }
  if (options->headless) plat::SetHeadless(true);

  drive::LcdFrame frame(options->width, options->height);
  if (plat::IsHeadless()) return RunHeadless(frame);
  const std::string settingsPath = lcd::SettingsPath(EnvText("XDG_CONFIG_HOME"), EnvText("HOME"));
  std::string warning;
  const lcd::ViewerSettings settings = lcd::LoadViewerSettings(settingsPath, &warning);
  if (!warning.empty()) std::fprintf(stderr, "Lcd: %s\n", warning.c_str());
  std::unique_ptr<lcd::SdlDisplay> display =
      lcd::SdlDisplay::Open(*options, settings, settingsPath, frame, &error);
  if (!display) {
    std::fprintf(stderr, "Lcd: no display (%s); running headless\n", error.c_str());
    return RunHeadless(frame);
  }
  return RunShown(*display, frame);
}

int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "Lcd")) return 0;
  return plat::RunMain("Lcd", [&] { return Run(argc, argv); });
}
