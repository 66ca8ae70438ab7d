#pragma once
// The game's code on the host's application thread, on the held virtual
// clock of a HostRun: `body` runs after a start like the game's own (the
// 160 x 96 screen in opaque back mode, the three canvases, the library given
// as the loaded image, its title copied) and the canvases go when it returns. The test posts
// keys and moves the clock; every step waits until the application is idle,
// so the test may then read and set `game`.

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_runner.h"

namespace rpgtest {

class GameRun {
 public:
  explicit GameRun(std::function<void()> body, Bytes library = {});
  // A body still running is aborted (the test fails then: a test drives its
  // body to the end).
  ~GameRun();
  GameRun(const GameRun&) = delete;
  GameRun& operator=(const GameRun&) = delete;

  void Key(uint32_t key) { host.KeyDown(key); }
  // Each key pressed in turn; kQuitMessage posts that message instead.
  void Keys(const std::vector<uint32_t>& keys);
  // Each character of `text` as a typed character.
  void Type(const std::string& text);
  // Lets virtual time run on: milliseconds, or game ticks of 500 ms.
  void Advance(int64_t milliseconds) { host.Advance(milliseconds); }
  void Ticks(int ticks) { host.Advance(500 * int64_t(ticks)); }
  // Whether the body has returned.
  bool Finished() const { return finished_; }
  // Presses each key once the game waits for it (`pause` ms apart), then
  // lets up to 40 s pass for the body to return. A body that outlives its
  // keys fails the test and is aborted, so a run that waits for one more
  // key ends at once instead of hanging. Whether the body returned by itself.
  bool Play(std::initializer_list<uint32_t> keys, int64_t pause = 3000);
  // Ends a body still running: the game is told to quit (runStatus 254, as
  // when its message wait fails) and woken with Esc keys and time.
  void Abort();

  Bytes library;

 private:
  std::atomic<bool> finished_{false};
  // Hands the run to the entry before the host starts it.
  static HostEntry Start(std::function<void()> body, GameRun* run);

 public:
  testsupport::HostRun host;
};

}  // namespace rpgtest

struct InvEntry;
// Inventory entries compared whole (kind, id and count).
bool operator==(const InvEntry& a, const InvEntry& b);
