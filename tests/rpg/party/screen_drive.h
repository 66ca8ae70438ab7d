#pragma once
// The party's screens driven by keys: a body run on a library, keys pressed
// as it waits for them, time let run where a message must run out, then Esc
// until the body has returned; the support's names the screen tests use.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"

namespace partytest {

using rpgtest::ArtOf;
using rpgtest::GameRun;
using rpgtest::ShowsGolden;
using rpgtest::TestLibrary;
using Art = std::vector<std::string>;  // rows of a screen area, as ArtOf reads them
using Inventory = std::vector<InvEntry>;
using Keys = std::vector<uint32_t>;

// Not keys: kWait lets a message run out, kTick lets one tick (10 ms) pass.
inline constexpr uint32_t kWait = 0, kTick = 1;

inline Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Adds `entries` to the inventory; the inventory as it is now.
inline void Stock(const Inventory& entries) {
  for (const InvEntry& e : entries) game.inventory[game.invCount++] = e;
}
inline Inventory InventoryNow() { return Inventory(game.inventory, game.inventory + game.invCount); }

// A full inventory: kind 12, ids 1 ... 199, one of each, then `last`.
inline Inventory FullInventory(InvEntry last) {
  Inventory full(200, {12, 1, 1});
  for (int i = 0; i < 199; ++i) full[i].id = uint8_t(i + 1);
  full[199] = last;
  return full;
}

// Runs `body` on `library`, presses `keys` (kWait: `waitMs` of time
// instead), lets `look` look, then presses Esc while the body runs, at most
// `escapes` times; the body must have returned.
inline void Drive(const std::function<void()>& body, rpgtest::Bytes library, const Keys& keys,
                  const std::function<void()>& look, int64_t waitMs, int escapes) {
  rpgtest::GameRun run(body, std::move(library));
  for (uint32_t key : keys) key == kWait ? run.Advance(waitMs) : key == kTick ? run.Advance(10) : run.Key(key);
  if (look) look();
  for (int i = 0; i < escapes && !run.Finished(); ++i) run.Key(kKeyEscape);
}

}  // namespace partytest
