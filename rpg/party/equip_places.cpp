#include "rpg/party/equip_places.h"

#include "rpg/engine/game_state.h"
#include "rpg/engine/message_box.h"
#include "rpg/party/compare_equip.h"
#include "rpg/party/inventory.h"
#include "rpg/party/party_types.h"

namespace {

constexpr EquipPlace kPlaces[kEquipPlaces] = {
    {6, 6, 3, 3, "装饰"},   {6, 7, 3, 30, "装饰"},  {5, 3, 20, 59, "护腕"},
    {3, 5, 50, 65, "脚蹬"}, {7, 4, 79, 61, "手持"}, {2, 1, 108, 46, "身穿"},
    {4, 2, 106, 9, "肩披"}, {1, 0, 78, 2, "头戴"},
};
constexpr int kFirstOrnament = 0, kSecondOrnament = 1;
constexpr uint8_t kOrnament = 6;
constexpr uint8_t kLastWearer = 8;

// Whether one former item of `kind` fits back once one `candidate` has
// left the inventory: more of a held item up to 99, or a new entry.
bool FormerFits(uint8_t kind, uint8_t former, const InvEntry& candidate) {
  const uint8_t held = InvFind(kind, former);
  if (held != kNotCarried) return game.inventory[held].count < kMaxItemCount;
  const uint8_t at = InvFind(candidate.kind, candidate.id);
  const bool freesEntry = at != kNotCarried && game.inventory[at].count <= 1;
  return game.invCount - (freesEntry ? 1 : 0) < kInventorySize;
}

}  // namespace

const EquipPlace& PlaceAt(int place) { return kPlaces[place]; }

int PlaceForKind(uint8_t kind, const Equipment& worn) {
  if (kind == kOrnament) {
    return worn.place[kPlaces[kSecondOrnament].slot] == 0 ? kSecondOrnament : kFirstOrnament;
  }
  for (int p = 0; p < kEquipPlaces; ++p) {
    if (kPlaces[p].kind == kind) return p;
  }
  return -1;
}

bool MayWear(uint8_t wearers, uint8_t id) {
  return id >= 1 && id <= kLastWearer && ((wearers >> (id - 1)) & 1) != 0;
}

bool OfferEquipment(uint8_t slot, int place, InvEntry candidate) {
  const EquipPlace& p = kPlaces[place];
  uint8_t& worn = game.party[slot].equipment.place[p.slot];
  const uint8_t former = worn;
  if (former != 0 && !FormerFits(p.kind, former, candidate)) {
    ShowMessage("已满载！", kMessageTicks);
    return false;
  }
  if (CompareEquip(slot, place, candidate) != 0 || game.runStatus) return false;
  worn = candidate.id;
  InvRemove({candidate.kind, candidate.id, 1});
  SetItemFlag(candidate.kind, candidate.id, 1);
  if (former != 0) {
    InvAdd({p.kind, former, 1});
    SetItemFlag(p.kind, former, 0);
  }
  return true;
}
