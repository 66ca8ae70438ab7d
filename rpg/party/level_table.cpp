#include "rpg/party/level_table.h"

#include <cstring>

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/item_records.h"

namespace {

namespace lt = rpgfmt::leveltable;
constexpr uint8_t kTableType = 12, kTableId1 = 2;
constexpr uint8_t kNotFound = 3;

}  // namespace

LevelRow LevelTable::Row(int level) const {
  LevelRow row;
  std::memcpy(&row, rows.data() + (level - 1) * lt::kRowSize, sizeof row);
  return row;
}

bool FindLevelTable(uint8_t id, LevelTable* out) {
  if (game.runStatus) return false;
  const std::span<const uint8_t> table = LibResource(kTableType, kTableId1, id);
  if (game.runStatus == kNotFound) game.runStatus = kRunning;
  if (table.size() < lt::kRows) return false;
  const uint8_t last = table[lt::kLastLevel];
  const std::size_t end = lt::kRows + std::size_t(last) * lt::kRowSize;
  if (table.size() < end) return false;
  *out = {last, table.subspan(lt::kRows, end - lt::kRows)};
  return true;
}
