#include "rpg/party/item_record.h"

#include <algorithm>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"

std::optional<ItemInfo> LookUpItem(uint8_t kind, uint8_t id) {
  namespace rec = rpgfmt::itemrec;
  if (game.runStatus) return std::nullopt;
  const std::span<const uint8_t> r =
      LibRecord(uint8_t(rpgfmt::ResType::kItemRecord), kind, id, rec::kSize);
  if (game.runStatus || r.size() < rec::kSize) return std::nullopt;
  const auto name = r.subspan(rec::kName, rec::kNameSize);
  return ItemInfo{
      r[rec::kKind],
      r[rec::kWearers],
      r[rec::kWeaponPower],
      r[rec::kPicture],
      std::string(name.begin(), std::find(name.begin(), name.end(), 0)),
      codec::LoadLe<uint16_t>(r.data() + rec::kBuyPrice),
      codec::LoadLe<uint16_t>(r.data() + rec::kSellPrice),
      r.subspan(rec::kEffect, rec::kEffectSize),
      r.subspan(rec::kDescription, rec::kDescriptionSize),
      codec::LoadLe<uint16_t>(r.data() + rec::kFlag),
  };
}
