#include "rpg/engine/rpg_main.h"

#include <cstdint>
#include <cstdio>

#include "host/device_api.h"

namespace {

constexpr char kLibraryPath[] = "..\\dat.lib";

// Room the block keeps beyond the file's bytes.
constexpr uint32_t kLibrarySlack = 32;

// The whole data library, addressed in place while the game runs.
uint8_t* libImage = nullptr;

// The file's length, or -1 when it cannot be measured or would not fit in a
// block together with its slack.
long MeasureLength(std::FILE* file) {
  if (FileSeek(file, 0, 2) != 0) return -1;
  const long length = FileTell(file);
  if (length < 0 || uint64_t(length) > UINT32_MAX - kLibrarySlack) return -1;
  if (FileSeek(file, 0, 0) != 0) return -1;
  return length;
}

// Reads the library into libImage; false, with nothing held, when the file
// is missing, cannot be read whole or does not fit in memory.
bool LoadLibrary() {
  std::FILE* file = FileOpen(kLibraryPath, "rb");
  if (!file) return false;
  const long length = MeasureLength(file);
  if (length >= 0) libImage = static_cast<uint8_t*>(MemAlloc(uint32_t(length) + kLibrarySlack));
  // A short read would leave the game addressing bytes that were never there.
  if (libImage && FileRead(libImage, 1, std::size_t(length), file) != std::size_t(length)) {
    MemFree(libImage);
    libImage = nullptr;
  }
  FileClose(file);
  return libImage != nullptr;
}

void FreeLibrary() {
  MemFree(libImage);
  libImage = nullptr;
}

}  // namespace

void RpgMain() {
  SetScreenMode(160, 96, 32);
  // The library is held for as long as the game runs.
  if (LoadLibrary()) FreeLibrary();
  // The Desktop draws for its own mode, so it must get it back even when the
  // game never started.
  SetScreenMode(320, 240, 32);
}
