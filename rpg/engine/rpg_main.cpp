#include "rpg/engine/rpg_main.h"

#include <cstdint>
#include <cstdio>

#include "host/device_api.h"
#include "rpg/engine/game_init.h"
#include "rpg/engine/game_loop.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/run_error.h"
#include "rpg/engine/title.h"

namespace {

constexpr char kLibraryPath[] = "..\\dat.lib";

// Room the block keeps beyond the file's bytes.
constexpr uint32_t kLibrarySlack = 32;

// The file's length, or -1 when it cannot be measured or would not fit in a
// block together with its slack.
long MeasureLength(std::FILE* file) {
  if (FileSeek(file, 0, 2) != 0) return -1;
  const long length = FileTell(file);
  if (length < 0 || uint64_t(length) > UINT32_MAX - kLibrarySlack) return -1;
  if (FileSeek(file, 0, 0) != 0) return -1;
  return length;
}

// Reads the library into game.libImage; false, with nothing held, when the
// file is missing, cannot be read whole or does not fit in memory.
bool LoadLibrary() {
  std::FILE* file = FileOpen(kLibraryPath, "rb");
  if (!file) return false;
  const long length = MeasureLength(file);
  uint8_t* image = nullptr;
  if (length >= 0) image = static_cast<uint8_t*>(MemAlloc(uint32_t(length) + kLibrarySlack));
  // A short read would leave the game addressing bytes that were never there.
  if (image && FileRead(image, 1, std::size_t(length), file) != std::size_t(length)) {
    MemFree(image);
    image = nullptr;
  }
  FileClose(file);
  if (!image) return false;
  game.libImage = image;
  game.libSize = uint32_t(length);
  return true;
}

void FreeLibrary() {
  MemFree(game.libImage);
  game.libImage = nullptr;
  game.libSize = 0;
}

// Title and map loop until the game ends; a return to the title (253)
// empties the party and goes round again.
void Play() {
  while (!game.runStatus) {
    TitleLoop();
    GameLoop();
    if (game.runStatus == kBackToTitle) {
      game.runStatus = 0;
      ReleaseGame(2);
    }
  }
}

}  // namespace

void RpgMain() {
  SetScreenMode(160, 96, 32);
  if (LoadLibrary()) {
    InitGame();
    Play();
    ReportRunError();
    ReleaseGame(7);
    FreeLibrary();
  }
  // The Desktop draws for its own mode, so it must get it back even when the
  // game never started.
  SetScreenMode(320, 240, 32);
}
