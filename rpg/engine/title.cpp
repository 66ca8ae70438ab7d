#include "rpg/engine/title.h"

#include <cstring>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/effect_player.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/load_game.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/save_slots.h"
#include "rpg/engine/script.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kFirstItem = 250;
constexpr int kMaxItems = 6;
constexpr uint8_t kItemFlags = 3;  // a key ends it; the title stays behind it
constexpr int kNewGame = 0;
constexpr int kLoadGame = 1;
constexpr int kFirstExtra = 2;
constexpr int kLastExtra = 5;
constexpr int kChosenNothing = 255;
constexpr int kFlagBytes = kEventFlagCount / 8;

void DrawTitlePicture() {
  CanvasClear(game.sceneCanvas);
  const std::optional<PicInfo> title =
      ReadPicHeader(LibResource(uint8_t(rpgfmt::ResType::kPicture), 2, 14));
  game.runStatus = 0;
  if (title) DrawPic(11, 2, 14, 0, int16_t((159 - title->width) / 2), int16_t((96 - title->height) / 2));
  SaveScene();
}

void StartNewGame() {
  game.saveSlot = kNoSaveSlot;
  CanvasClear(game.sceneCanvas);
  std::memset(game.eventFlags, 0, kFlagBytes);
  game.encounterOn = 0;
  game.money = 0;
  game.invCount = 0;
  game.soundOn = 1;
  // Parked members belong to the game in play, never to a new one.
  DeleteParkedFiles();
  RunScriptFile(1, 1);
}

// The next item's key: the key that ended its animation, played again until
// one does; with no items, a plain key-down.
uint8_t NextKey(int item, int last) {
  if (last < 0) {
    PresentScene();
    return WaitKeyDown();
  }
  for (;;) {
    const uint8_t key = PlayEffect(1, uint8_t(kFirstItem + item), kItemFlags, 0, 0);
    if (key != kNoKey || game.runStatus) return key;
  }
}

}  // namespace

int CountTitleItems() {
  int found = 0;
  while (found < kMaxItems) {
    LibResource(uint8_t(rpgfmt::ResType::kAnimation), 1, uint8_t(kFirstItem + found));
    if (game.runStatus) break;
    ++found;
  }
  game.runStatus = 0;
  return found - 1;
}

int TitleMenu() {
  if (game.runStatus) return kChosenNothing;
  DrawTitlePicture();
  const int last = CountTitleItems();
  int item = 0;
  for (;;) {
    const uint8_t key = NextKey(item, last);
    if (game.runStatus) return kChosenNothing;
    if (key == kKeyEnter) return item;
    if (key == kKeyEscape) {
      game.runStatus = kQuit;
      return kChosenNothing;
    }
    if (last < 0) continue;
    if (key == kKeyUp) item = item == 0 ? last : item - 1;
    if (key == kKeyDown) item = item == last ? 0 : item + 1;
  }
}

void TitleLoop() {
  while (!game.runStatus) {
    const int item = TitleMenu();
    if (item == kNewGame) {
      StartNewGame();
      return;
    }
    if (item == kLoadGame) {
      if (LoadGame()) return;
      continue;
    }
    if (item >= kFirstExtra && item <= kLastExtra) {
      RunScriptFile(0, uint8_t(item - 1));
    }
  }
}
