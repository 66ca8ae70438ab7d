#include "rpg/party/compare_equip.h"

#include <optional>

#include "host/msg.h"
#include "rpg/battle/rules/item_effect.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"
#include "rpg/party/equip_places.h"
#include "rpg/party/item_record.h"
#include "rpg/party/list_marks.h"
#include "rpg/party/party_types.h"
#include "rpg/party/status_page.h"

namespace {

constexpr uint8_t kAccept = 0, kRefuse = 255;
constexpr uint8_t kHandHeld = 7;
constexpr int kSpecialByte = 6;
constexpr uint8_t kItemPictures = uint8_t(rpgfmt::ResType::kItemPicture);
constexpr uint8_t kPictures = uint8_t(rpgfmt::ResType::kPicture);

bool GivesImmunity(uint8_t kind) { return kind >= 1 && kind <= 5; }

// The OR of the immunity bytes of the worn head, body, cape, bracer and
// footwear, the candidate in place of what is worn at its place; nothing
// when a record is missing.
std::optional<uint8_t> ImmunityWith(const Equipment& worn, int place, uint8_t candidateId) {
  uint8_t bits = 0;
  for (int p = 0; p < kEquipPlaces; ++p) {
    const EquipPlace& at = PlaceAt(p);
    const uint8_t id = p == place ? candidateId : worn.place[at.slot];
    if (!GivesImmunity(at.kind) || id == 0) continue;
    const std::optional<ItemInfo> item = LookUpItem(at.kind, id);
    if (!item) return std::nullopt;
    bits |= item->effect[kSpecialByte];
  }
  return bits;
}

class Comparison {
 public:
  Comparison(const PartySlot& member, const ItemInfo& candidate, const std::optional<ItemInfo>& worn)
      : member_(member), candidate_(candidate), worn_(worn), view_(Candidate) {}

  // The member with the candidate worn: one exchange on a fresh copy of the
  // member's attributes, so the view never drifts however often it is shown.
  bool Compute(int place, uint8_t immunity) {
    CharStats s = member_.stats;
    s.immunity = immunity;
    const uint8_t kind = PlaceAt(place).kind;
    ApplyItemEffect(kind, worn_ ? worn_->effect.data() : nullptr, candidate_.effect.data(), &s);
    if (kind == kHandHeld) s.weaponPower = candidate_.weaponPower;
    withCandidate_ = s;
    return game.runStatus == 0;
  }

  void Draw(int place) {
    const uint8_t kind = PlaceAt(place).kind;
    ClearRect(0, 0, 36, 95);
    DrawPicToScreen(kPictures, 1, member_.header.id, 0, 8, 60);
    if (worn_) {
      DrawPicToScreen(kItemPictures, kind, worn_->picture, 0, 11, 5);
      DrawPicToScreen(kItemPictures, kind, candidate_.picture, 0, 11, 35);
      DrawPointer(1, 40);
    } else {
      DrawPicToScreen(kItemPictures, kind, candidate_.picture, 0, 11, 11);
      DrawPointer(1, 16);
    }
    ShowPage();
  }

  // Up to the worn item's view, Down back to the candidate's.
  void Switch(bool toWorn) {
    if (!worn_ || toWorn == (view_ == Worn)) return;
    view_ = toWorn ? Worn : Candidate;
    ClearRect(1, 7, 10, 52);
    DrawPointer(1, toWorn ? 10 : 40);
    ShowPage();
  }

  void FlipPage() {
    ++page_;
    ShowPage();
  }

  bool OnCandidate() const { return view_ == Candidate; }
  const CharStats& withCandidate() const { return withCandidate_; }

 private:
  enum View { Candidate, Worn };
  void ShowPage() { StatusPage(view_ == Worn ? member_.stats : withCandidate_, page_); }

  const PartySlot& member_;
  const ItemInfo& candidate_;
  const std::optional<ItemInfo>& worn_;
  View view_;
  CharStats withCandidate_{};
  int page_ = 0;
};

}  // namespace

uint8_t CompareEquip(uint8_t slot, int place, const InvEntry& candidate) {
  if (game.runStatus) return kRefuse;
  PartySlot& member = game.party[slot];
  const uint8_t kind = PlaceAt(place).kind;
  const uint8_t wornId = member.equipment.place[PlaceAt(place).slot];
  const std::optional<ItemInfo> item = LookUpItem(kind, candidate.id);
  std::optional<ItemInfo> worn;
  if (wornId != 0) worn = LookUpItem(kind, wornId);
  const std::optional<uint8_t> immunity = ImmunityWith(member.equipment, place, candidate.id);
  if (!item || (wornId != 0 && !worn) || !immunity) return kRefuse;

  Comparison comparison(member, *item, worn);
  if (!comparison.Compute(place, *immunity)) return kRefuse;
  comparison.Draw(place);
  for (;;) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyPageUp || key == kKeyPageDown) comparison.FlipPage();
    if (key == kKeyUp) comparison.Switch(true);
    if (key == kKeyDown) comparison.Switch(false);
    if (key == kKeyEnter) {
      if (!comparison.OnCandidate()) return kRefuse;
      member.stats = comparison.withCandidate();
      return kAccept;
    }
    if (key == kKeyEscape || key == kNoKey) return kRefuse;
  }
}
