#include "bench/viewer_session.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "host/lcd.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace bench {

std::string DisplayUnavailable() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return "no DISPLAY: run under xvfb-run";
  // The viewer would fall back to headless without a word to us, so make
  // sure here that the display answers. (Plain Xlib: SDL's video start-up
  // keeps D-Bus data that a leak checker reports.)
  Display* connection = XOpenDisplay(nullptr);
  if (!connection) return std::string("cannot open DISPLAY ") + display + ": run under xvfb-run";
  XCloseDisplay(connection);
  return {};
}

ViewerSession::ViewerSession(ViewerMode mode) {
  if (!Start(mode) && error_.empty()) error_ = "the viewer did not start";
}

bool ViewerSession::Start(ViewerMode mode) {
  std::vector<std::string> args{LCD_PROGRAM, "320", "240"};
  std::vector<std::string> env;
  if (mode == ViewerMode::kHeadless) {
    args.push_back("--headless");
  } else {
    error_ = DisplayUnavailable();
    if (!error_.empty()) return false;
    // Our own message boxes stay headless; the viewer must not inherit that.
    env.push_back("TOVSIM_HEADLESS=0");
  }
  if (!process_.Start(args, testsupport::AwaitReady(env))) return false;
  viewer_ = plat::FindWindowA(kLcdClass, kLcdTitle);
  if (!viewer_) return false;
  lcdStarted_ = LcdVctInit() == 1;
  if (!lcdStarted_) error_ = "the LCD module did not start";
  return lcdStarted_;
}

ViewerSession::~ViewerSession() {
  if (lcdStarted_) LcdVctRelease();
  // The viewer ends on WM_CLOSE; one that cannot be reached is killed.
  if (viewer_ && plat::IsWindow(viewer_)) {
    plat::SendMessageA(viewer_, plat::WM_CLOSE, 0, 0);
    process_.Wait();
  }
}

int64_t ViewerSession::FramesCopied() const {
  return viewer_ ? int64_t(plat::SendMessageA(viewer_, kLcdQueryFrameCount, 0, 0)) : -1;
}

bool FlushEveryIteration(benchmark::State& state) {
  for (auto _ : state) {
    if (FlushScreen() != 1) {
      state.SkipWithError("FlushScreen found no viewer");
      return false;
    }
  }
  return true;
}

namespace {

std::unique_ptr<ViewerSession> shared;

}  // namespace

ViewerSession* HeadlessSession(benchmark::State& state) {
  if (!shared) shared = std::make_unique<ViewerSession>(ViewerMode::kHeadless);
  if (!shared->error().empty()) {
    state.SkipWithError(shared->error().c_str());
    return nullptr;
  }
  return shared.get();
}

void EndHeadlessSession() { shared.reset(); }

void CountFrames(benchmark::State& state, const ViewerSession& viewer, int64_t before) {
  state.counters["frames"] = benchmark::Counter(double(viewer.FramesCopied() - before),
                                                benchmark::Counter::kAvgIterations);
}

void FlushScreenOnce(benchmark::State& state) {
  ViewerSession* viewer = HeadlessSession(state);
  if (!viewer) return;
  const int64_t before = viewer->FramesCopied();
  if (FlushEveryIteration(state)) CountFrames(state, *viewer, before);
}

}  // namespace bench
