#pragma once
// Shared by the game's benchmarks: the baseline of the game's drawing, a
// memcpy of the 160 x 96 screen's bytes, and a started screen in the game's
// mode with its three canvases and an in-process stand-in viewer, on an
// installed library; everything goes when the screen does.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>

#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace bench {

inline constexpr std::size_t kScreenBytes = 160 * 96 * 4;

void ScreenMemcpy(benchmark::State& state);

class GameScreen {
 public:
  explicit GameScreen(rpgtest::Bytes library);
  ~GameScreen();
  GameScreen(const GameScreen&) = delete;
  GameScreen& operator=(const GameScreen&) = delete;

  // Whether the screen, the canvases and the library are in place.
  bool Started() const { return started_; }

 private:
  testsupport::HostEnv env_;
  std::unique_ptr<testsupport::StandinCompanion> viewer_ = testsupport::StandinCompanion::Viewer();
  rpgtest::InstalledLibrary library_;
  bool started_ = false;
};

}  // namespace bench
