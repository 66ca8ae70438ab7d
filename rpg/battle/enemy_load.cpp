#include "rpg/battle/enemy_load.h"

#include <algorithm>
#include <cstring>

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/actor_records.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kNotAddressable = 2;
constexpr uint8_t kBadSlot = 7;
constexpr uint8_t kEnemyPictures = 3;
constexpr uint8_t kMagicLists = 1;

namespace enemyrec = rpgfmt::enemyrec;
namespace listrec = rpgfmt::magicchain;

void LocatePicture(EnemySlot& enemy, uint8_t pictureId) {
  enemy.record.pictureId = pictureId;
  ResKey key{uint8_t(rpgfmt::ResType::kActorSheet), kEnemyPictures, pictureId, 0, 0};
  LibLookup(&key);
  if (game.runStatus) return;
  enemy.picBlock = key.block;
  enemy.picOffset = uint16_t(key.offset);
}

void CopyMagicList(EnemySlot& enemy, uint8_t listId) {
  uint8_t& count = enemy.record.magicCount;
  if (listId == 0) {
    count = 0;
    return;
  }
  const std::span<const uint8_t> list =
      LibResource(uint8_t(rpgfmt::ResType::kMagicList), kMagicLists, listId);
  if (game.runStatus) return;
  if (list.size() <= listrec::kCount) {
    game.runStatus = kNotAddressable;
    return;
  }
  const std::size_t present = (list.size() - listrec::kEntries) / listrec::kEntrySize;
  count = uint8_t(std::min<std::size_t>({count, list[listrec::kCount], present}));
  std::memcpy(enemy.magic, list.data() + listrec::kEntries, count * listrec::kEntrySize);
}

}  // namespace

void LoadEnemy(uint8_t slot, std::span<const uint8_t> record) {
  if (game.runStatus) return;
  if (slot >= kEnemySlots || record.size() < enemyrec::kSize) {
    game.runStatus = slot >= kEnemySlots ? kBadSlot : kNotAddressable;
    return;
  }
  EnemySlot& enemy = game.enemies[slot];
  enemy = EnemySlot{};
  std::memcpy(&enemy.record, record.data(), enemyrec::kCopied);
  LocatePicture(enemy, record[enemyrec::kPicture]);
  if (game.runStatus) return;
  CopyMagicList(enemy, record[enemyrec::kMagicList]);
}
