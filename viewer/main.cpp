// The LCD viewer: shows the host's screen and forwards the user's input.

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sys/main_guard.h"
#include "platform/sys/msgbox.h"
#include "platform/win/win.h"
#include "viewer/lcd_frame.h"
#include "viewer/sdl_display.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_window.h"

namespace {

// Without a display the window thread is the main thread and the frames are
// kept for tools only.
int RunHeadless(lcd::LcdFrame& frame) {
  plat::HWND window = lcd::CreateViewerWindow(frame, nullptr);
  if (!window) {
    std::fprintf(stderr, "Lcd: cannot create the viewer's window\n");
    return 1;
  }
  lcd::RunViewerWindow(window);
  return 0;
}

// With a display the window's message loop runs on a thread of its own and
// the main thread runs SDL's.
int RunShown(lcd::SdlDisplay& display, lcd::LcdFrame& frame) {
  plat::HWND window = nullptr;
  bool created = false;
  std::mutex mutex;
  std::condition_variable ready;
  std::thread windowThread([&] {
    plat::HWND made = lcd::CreateViewerWindow(frame, &display);
    {
      std::lock_guard lock(mutex);
      window = made;
      created = true;
    }
    ready.notify_one();
    if (made) lcd::RunViewerWindow(made);
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

}  // namespace

static int Run(int argc, char** argv) {
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

  lcd::LcdFrame frame(options->width, options->height);
  if (plat::IsHeadless()) return RunHeadless(frame);
  std::unique_ptr<lcd::SdlDisplay> display = lcd::SdlDisplay::Open(*options, frame, &error);
  if (!display) {
    std::fprintf(stderr, "Lcd: no display (%s); running headless\n", error.c_str());
    return RunHeadless(frame);
  }
  return RunShown(*display, frame);
}

int main(int argc, char** argv) {
  return plat::RunMain("Lcd", [&] { return Run(argc, argv); });
}
