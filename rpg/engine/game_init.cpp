#include "rpg/engine/game_init.h"

#include <cstring>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/engine/sprite_images.h"
#include "rpg/engine/tile_cache.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kOutOfMemory = 1;
constexpr int32_t kOpaque = 2;

void CopyLibraryTitle() {
  if (game.libSize >= rpgfmt::kLibTitleOffset + rpgfmt::kLibTitleSize) {
    std::memcpy(game.libTitle, game.libImage + rpgfmt::kLibTitleOffset, rpgfmt::kLibTitleSize);
  }
  game.libTitle[kLibTitleSize] = 0;
}

void StartValues() {
  game.scriptBank = 1;
  game.scriptNo = 1;
  game.soundOn = 1;
  game.saveSlot = kNoSaveSlot;
  game.saveAllowed = 1;
}

void FreeCanvas(Canvas*& canvas) {
  CanvasFree(canvas);
  canvas = nullptr;
}

}  // namespace

void InitGame() {
  ResetGameState();
  ReleaseTileCache();
  ReleaseSpriteImages();
  ClearScreen();
  CopyLibraryTitle();
  SetBackMode(kOpaque, nullptr);
  StartTimer(kGameTimer, kGameTickMs);
  DateTime now{};
  GetDateTime(&now);
  SeedRandom(now.second);
  StartValues();
  game.scratchCanvas = CanvasCreate();
  game.sceneCanvas = CanvasCreate();
  game.mapCanvas = CanvasCreate();
  if (!game.scratchCanvas || !game.sceneCanvas || !game.mapCanvas) game.runStatus = kOutOfMemory;
}

void ReleaseGame(uint8_t parts) {
  if (parts & 1) {
    for (int slot = 0; slot < kNpcSlots; ++slot) {
      game.npcs[slot] = nullptr;
      game.npcStore[slot] = NpcRecord{};
    }
  }
  if (parts & 2) {
    for (PartySlot& member : game.party) member = PartySlot{};
  }
  if (parts & 4) {
    FreeCanvas(game.sceneCanvas);
    FreeCanvas(game.mapCanvas);
    FreeCanvas(game.scratchCanvas);
    ReleaseTileCache();
    ReleaseSpriteImages();
    StopTimer(kGameTimer);
    StopMusic();
    StopAllSounds();
    CloseSoundDevice();
  }
}
