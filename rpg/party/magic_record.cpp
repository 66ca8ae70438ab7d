#include "rpg/party/magic_record.h"

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"
#include "rpg/party/party_types.h"

namespace {
constexpr int kNameBytes = 12;
}  // namespace

std::span<const uint8_t> LookUpMagic(const MagicEntry& m) {
  namespace rec = rpgfmt::magicrec;
  const std::span<const uint8_t> r =
      LibResource(uint8_t(rpgfmt::ResType::kMagicRecord), m.magicClass, m.id);
  if (game.runStatus) return {};
  if (r.size() < rec::kDescription) {
    game.runStatus = 2;
    return {};
  }
  return r;
}

std::span<const uint8_t> MagicNameField(std::span<const uint8_t> record) {
  return record.subspan(rpgfmt::magicrec::kName, kNameBytes);
}
