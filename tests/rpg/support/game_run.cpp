#include "tests/rpg/support/game_run.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/device_api.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/format/library.h"

namespace rpgtest {
namespace {

// The run in progress: HostRun takes a plain function as its entry.
std::function<void()> runBody;
std::atomic<bool>* runFinished = nullptr;
Bytes* runLibrary = nullptr;

void GameEntry() {
  SetScreenMode(160, 96, 32);
  SetBackMode(2, nullptr);
  ResetGameState();
  // Without a library of its own the run has none: the state's reset keeps
  // the image pointer, which may name an earlier run's freed library.
  game.libImage = runLibrary->empty() ? nullptr : runLibrary->data();
  game.libSize = uint32_t(runLibrary->size());
  // The title names the save files, as InitGame takes it.
  if (runLibrary->size() >= rpgfmt::kLibTitleOffset + rpgfmt::kLibTitleSize) {
    std::memcpy(game.libTitle, runLibrary->data() + rpgfmt::kLibTitleOffset, rpgfmt::kLibTitleSize);
  }
  game.scratchCanvas = CanvasCreate();
  game.sceneCanvas = CanvasCreate();
  game.mapCanvas = CanvasCreate();
  runBody();
  CanvasFree(game.scratchCanvas);
  CanvasFree(game.sceneCanvas);
  CanvasFree(game.mapCanvas);
  game.scratchCanvas = game.sceneCanvas = game.mapCanvas = nullptr;
  *runFinished = true;
}

}  // namespace

HostEntry GameRun::Start(std::function<void()> body, GameRun* run) {
  runBody = std::move(body);
  runLibrary = &run->library;
  runFinished = &run->finished_;
  return GameEntry;
}

GameRun::GameRun(std::function<void()> body, Bytes lib)
    : library(std::move(lib)), host(Start(std::move(body), this)) {}

GameRun::~GameRun() {
  if (finished_) return;
  ADD_FAILURE() << "the game's body was still running at the end of the test";
  Abort();
}

bool GameRun::Play(std::initializer_list<uint32_t> keys, int64_t pause) {
  for (uint32_t key : keys) {
    Advance(pause);
    Key(key);
  }
  for (int k = 0; k < 40 && !finished_; ++k) Advance(1000);
  if (finished_) return true;
  ADD_FAILURE() << "the game still waits after its " << keys.size() << " scripted keys: aborted";
  Abort();
  return false;
}

void GameRun::Abort() {
  // The application thread is idle in its message wait: the ring's lock
  // orders this write before its next read.
  if (!finished_ && game.runStatus == kRunning) game.runStatus = kQuit;
  for (int i = 0; i < 50 && !finished_; ++i) {
    host.Post(MsgKeyDown, kKeyEscape, 0);
    host.Advance(1000);
  }
  if (!finished_) ADD_FAILURE() << "the game's body did not end when aborted";
}

void GameRun::Keys(const std::vector<uint32_t>& keys) {
  for (uint32_t key : keys) key == kQuitMessage ? host.Post(key, 0, 0) : Key(key);
}

void GameRun::Type(const std::string& text) {
  for (char ch : text) host.Post(MsgChar, uint8_t(ch), 0);
}

}  // namespace rpgtest

bool operator==(const InvEntry& a, const InvEntry& b) {
  return a.kind == b.kind && a.id == b.id && a.count == b.count;
}
