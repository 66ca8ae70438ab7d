#include "rpg/engine/library.h"

#include <algorithm>
#include <cstring>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kNotAddressable = 2;
constexpr uint8_t kAbsent = 3;

std::span<const uint8_t> Image() { return {game.libImage, game.libImage ? game.libSize : 0}; }

std::span<const uint8_t> Fail(uint8_t status) {
  game.runStatus = status;
  return {};
}

// The key directory, or empty with runStatus 2 when the library is damaged:
// no magic, or a directory that runs past the file or into the location table.
std::span<const uint8_t> Directory() {
  const std::span<const uint8_t> image = Image();
  if (image.size() < rpgfmt::kLibDirOffset || std::memcmp(image.data(), "LIB", 3) != 0) {
    return Fail(kNotAddressable);
  }
  const std::size_t bytes =
      codec::LoadLe<uint16_t>(image.data() + rpgfmt::kLibDirSizeOffset) / 3 * 3;
  if (bytes / rpgfmt::kLibEntrySize > rpgfmt::kLibMaxKeys ||
      !codec::Fits(image.size(), rpgfmt::kLibDirOffset, bytes)) {
    return Fail(kNotAddressable);
  }
  return image.subspan(rpgfmt::kLibDirOffset, bytes);
}

uint8_t TypeAt(std::span<const uint8_t> dir, int i) { return dir[std::size_t(i) * 3]; }

// The binary step on the type byte: from entry 0 with step ceil(n / 2),
// forward while the entry's type is smaller, back while it is larger; an odd
// step above 1 is halved rounding up, any other halved down, and a step that
// would leave the directory lands on its first or last entry. The index of
// an entry of `type`, or -1.
int StepToType(std::span<const uint8_t> dir, uint8_t type) {
  const int n = int(dir.size() / 3);
  if (n == 0) return -1;
  int i = 0;
  int h = (n + 1) / 2;
  while (TypeAt(dir, i) != type) {
    if (h == 0) return -1;
    i = TypeAt(dir, i) < type ? std::min(i + h, n - 1) : std::max(i - h, 0);
    h = (h % 2 == 1 && h > 1) ? (h + 1) / 2 : h / 2;
  }
  return i;
}

bool IdsMatch(std::span<const uint8_t> dir, int i, const ResKey& key) {
  return dir[std::size_t(i) * 3 + 1] == key.id1 && dir[std::size_t(i) * 3 + 2] == key.id2;
}

// From the entry the step found, forward over entries of the same type, then
// backward from the one before it.
int ScanForIds(std::span<const uint8_t> dir, int found, const ResKey& key) {
  const int n = int(dir.size() / 3);
  for (int i = found; i < n && TypeAt(dir, i) == key.type; ++i) {
    if (IdsMatch(dir, i, key)) return i;
  }
  for (int i = found - 1; i >= 0 && TypeAt(dir, i) == key.type; --i) {
    if (IdsMatch(dir, i, key)) return i;
  }
  return -1;
}

std::span<const uint8_t> Located(const ResKey& key) {
  return LibBlockSpan(key.block, key.offset, nullptr);
}

}  // namespace

void LibLookup(ResKey* key) {
  if (game.runStatus) return;
  const std::span<const uint8_t> dir = Directory();
  if (game.runStatus) return;
  const int found = StepToType(dir, key->type);
  const int entry = found < 0 ? -1 : ScanForIds(dir, found, *key);
  if (entry < 0) {
    game.runStatus = kAbsent;
    return;
  }
  const std::size_t at = rpgfmt::kLibLocOffset + std::size_t(entry) * rpgfmt::kLibEntrySize;
  if (!codec::Fits(game.libSize, at, rpgfmt::kLibEntrySize)) {
    game.runStatus = kNotAddressable;
    return;
  }
  key->block = game.libImage[at];
  key->offset = codec::LoadLe<uint16_t>(game.libImage + at + 1);
}

std::span<const uint8_t> LibBlockView(uint16_t block, uint16_t offset, const char* tag) {
  const std::size_t start = std::size_t(block) * rpgfmt::kLibBlockSize;
  if (!codec::Fits(game.libSize, start, rpgfmt::kLibTagSize) || offset >= rpgfmt::kLibBlockSize) {
    return {};
  }
  if (tag && std::memcmp(game.libImage + start, tag, rpgfmt::kLibTagSize) != 0) return {};
  const std::size_t end = std::min<std::size_t>(start + rpgfmt::kLibBlockSize, game.libSize);
  if (start + offset >= end) return {};
  return Image().subspan(start + offset, end - start - offset);
}

std::span<const uint8_t> LibBlockSpan(uint16_t block, uint16_t offset, const char* tag) {
  if (game.runStatus) return {};
  const std::span<const uint8_t> bytes = LibBlockView(block, offset, tag);
  if (bytes.empty()) return Fail(kNotAddressable);
  return bytes;
}

std::span<const uint8_t> LibBlockRecord(uint16_t block, uint16_t offset, const char* tag,
                                        std::size_t size) {
  const std::span<const uint8_t> bytes = LibBlockSpan(block, offset, tag);
  if (game.runStatus) return {};
  if (bytes.size() < size) return Fail(kNotAddressable);
  return bytes.first(size);
}

std::span<const uint8_t> LibResource(uint8_t type, uint8_t id1, uint8_t id2) {
  ResKey key{type, id1, id2, 0, 0};
  LibLookup(&key);
  if (game.runStatus) return {};
  return Located(key);
}

const uint8_t* LibFindRes(uint8_t type, uint8_t id1, uint8_t id2) {
  const std::span<const uint8_t> bytes = LibResource(type, id1, id2);
  return game.runStatus ? nullptr : bytes.data();
}

std::span<const uint8_t> LibRecord(uint8_t type, uint8_t id1, uint8_t id2, std::size_t size) {
  const std::span<const uint8_t> bytes = LibResource(type, id1, id2);
  if (game.runStatus) return {};
  if (bytes.size() < size) return Fail(kNotAddressable);
  return bytes.first(size);
}
