#pragma once
// The real LCD viewer for a benchmark: started in a private instance with a
// scratch run tree, with the host's LCD module started against it, and
// closed again at the end of the scope (the host reset with it).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "platform/win/types.h"
#include "tests/support/child_process.h"
#include "tests/support/host_env.h"

namespace bench {

enum class ViewerMode { kHeadless, kShown };

// Why a shown viewer cannot run here; empty when it can.
std::string DisplayUnavailable();

class ViewerSession {
 public:
  explicit ViewerSession(ViewerMode mode);
  ~ViewerSession();
  ViewerSession(const ViewerSession&) = delete;
  ViewerSession& operator=(const ViewerSession&) = delete;

  // Empty when the viewer runs and the LCD module started.
  const std::string& error() const { return error_; }
  plat::HWND viewer() const { return viewer_; }
  // Repaints the viewer has copied so far.
  int64_t FramesCopied() const;

 private:
  bool Start(ViewerMode mode);

  testsupport::HostEnv env_;
  testsupport::ChildProcess process_;
  plat::HWND viewer_ = nullptr;
  bool lcdStarted_ = false;
  std::string error_;
};

// Calls FlushScreen() once per iteration of `state`. False, with the
// state skipped, when a flush found no viewer.
bool FlushEveryIteration(benchmark::State& state);

// One headless viewer shared by a program's benchmarks, started at the first
// call; null, with the state skipped, when it could not start.
ViewerSession* HeadlessSession(benchmark::State& state);
// Closes the shared viewer (before the program ends).
void EndHeadlessSession();

// Sets the counter `frames`: the frames the viewer copied per iteration
// since `before`.
void CountFrames(benchmark::State& state, const ViewerSession& viewer, int64_t before);

// The baseline of anything that shows a frame: FlushScreen() to the shared
// headless viewer, once per iteration.
void FlushScreenOnce(benchmark::State& state);

}  // namespace bench
