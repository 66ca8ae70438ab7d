// The game's readers of the data library: the directory search and every
// reader that takes a resource out of the library image (maps and their tile
// sets, pictures and sheets, animations, character records, scripts and
// their instructions). The input is
// the library file; the keys looked up are the ones its own directory names,
// plus a few no directory holds. Nothing may be read outside the image.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "codec/bytes.h"
#include "rpg/engine/actor_load.h"
#include "rpg/engine/effect_data.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/script.h"
#include "rpg/engine/script_load.h"
#include "rpg/format/library.h"
#include "rpg/format/script_decode.h"

namespace {

constexpr std::size_t kSlack = 32;
constexpr std::size_t kMaxKeys = 48;
constexpr int kMaxFrames = 64;
constexpr int kMaxSteps = 4096;

using rpgfmt::ResType;

void ReadFrames(const PicInfo& pic) {
  const int frames = std::min(pic.frames, kMaxFrames);
  for (int f = 0; f <= frames; ++f) (void)PicFrameBits(pic, f);
}

void Picture(uint8_t type, uint8_t id1, uint8_t id2) {
  if (const auto pic = ReadPicHeader(LibResource(type, id1, id2))) ReadFrames(*pic);
}

void Animation(uint8_t id1, uint8_t id2) {
  const auto effect = ReadEffect(LibResource(uint8_t(ResType::kAnimation), id1, id2));
  if (!effect) return;
  for (int k = effect->first; k <= effect->last && !effect->Empty(); ++k) {
    if (const auto pic = effect->Picture(effect->Element(k).picture)) ReadFrames(*pic);
  }
}

// The map, its cells along the edges and through the view, and every tile.
void Map(uint8_t id1, uint8_t id2) {
  LoadMap(id1, id2);
  if (game.runStatus) return;
  for (int edge : {0, int(game.mapWidth) - 1, int(game.mapWidth)}) {
    for (int y = -1; y <= game.mapHeight; ++y) (void)MapEventAt(edge, y);
  }
  for (int edge : {0, int(game.mapHeight) - 1, int(game.mapHeight)}) {
    for (int x = -1; x <= game.mapWidth; ++x) (void)MapCellAt(x, edge);
  }
  game.viewX = uint8_t(std::max(0, game.mapWidth - kViewCols));
  game.viewY = uint8_t(std::max(0, game.mapHeight - kViewRows));
  RefreshViewCells();
  for (int tile = 0; tile < 256; ++tile) (void)TileBits(tile);
}

// The script made current, then every instruction of its code decoded from
// each address its event table and its jumps name, as the interpreter
// would reach them.
void Script(uint8_t id1, uint8_t id2) {
  game.scriptBank = id1;
  game.scriptNo = id2;
  LoadScript();
  const std::span<const uint8_t> code = CurrentCode();
  if (code.empty()) return;
  std::vector<uint16_t> starts = {game.scriptPc};
  for (int e = 0; e < game.eventCount; ++e) starts.push_back(game.eventTable[e]);
  for (uint16_t pc : starts) {
    rpgfmt::Instruction inst;
    for (int steps = 0; steps < kMaxSteps && pc < code.size(); ++steps) {
      if (rpgfmt::DecodeInstruction(code, pc, inst) != rpgfmt::DecodeError::kNone) break;
      if (inst.Next() <= pc || inst.Next() > code.size()) __builtin_trap();
      pc = inst.Next();
    }
  }
}

void Actor(uint8_t id1, uint8_t id2) {
  if (id1 == 2 || id1 == 4) AllocNpcSlot(0);
  LoadActor(0, id1, id2);
}

void Read(uint8_t type, uint8_t id1, uint8_t id2) {
  ResKey key{type, id1, id2, 0, 0};
  LibLookup(&key);
  game.runStatus = 0;
  switch (ResType(type)) {
    case ResType::kScript: Script(id1, id2); break;
    case ResType::kMap: Map(id1, id2); break;
    case ResType::kActorRecord: Actor(id1, id2); break;
    case ResType::kAnimation: Animation(id1, id2); break;
    case ResType::kActorSheet:
    case ResType::kItemPicture:
    case ResType::kPicture: Picture(type, id1, id2); break;
    default: (void)LibRecord(type, id1, id2, 64); break;
  }
  ResetGameState();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<uint8_t> image(size + kSlack);
  std::copy(data, data + size, image.begin());
  std::vector<uint8_t> keys = {0, 0, 0, 1, 1, 1, 255, 255, 255};
  if (size >= rpgfmt::kLibDirOffset) {
    const std::size_t dirBytes = codec::LoadLe<uint16_t>(data + rpgfmt::kLibDirSizeOffset);
    const std::size_t n = std::min({dirBytes / 3, kMaxKeys, (size - rpgfmt::kLibDirOffset) / 3});
    keys.insert(keys.end(), data + rpgfmt::kLibDirOffset, data + rpgfmt::kLibDirOffset + 3 * n);
  }
  for (std::size_t i = 0; i + 2 < keys.size(); i += 3) {
    ResetGameState();
    game.libImage = image.data();
    game.libSize = uint32_t(size);
    Read(keys[i], keys[i + 1], keys[i + 2]);
  }
  return 0;
}
