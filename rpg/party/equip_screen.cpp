#include "rpg/party/equip_screen.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "host/msg.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/engine/wrapped_text.h"
#include "rpg/format/library.h"
#include "rpg/party/equip_places.h"
#include "rpg/party/inventory_list.h"
#include "rpg/party/item_record.h"
#include "rpg/party/list_marks.h"
#include "rpg/party/member_names.h"
#include "rpg/party/party_types.h"

namespace {

constexpr uint8_t kItemPictures = uint8_t(rpgfmt::ResType::kItemPicture);
constexpr uint8_t kPictures = uint8_t(rpgfmt::ResType::kPicture);
constexpr std::size_t kShownNameBytes = 12;
constexpr uint32_t kNoRecord = 0xEEE0, kNoPicture = 0xEEE1;

// Draws the picture of what is worn at place p; false after showing why
// when its record or picture is missing (runStatus stays set).
bool DrawWorn(const PartySlot& member, int p) {
  const EquipPlace& at = PlaceAt(p);
  const uint8_t id = member.equipment.place[at.slot];
  if (id == 0) return true;
  const std::optional<ItemInfo> item = LookUpItem(at.kind, id);
  if (!item) {
    ShowHexWait(kNoRecord);
    return false;
  }
  if (LibFindRes(kItemPictures, at.kind, item->picture) == nullptr) {
    ShowHexWait(kNoPicture);
    return false;
  }
  DrawPicToScreen(kItemPictures, at.kind, item->picture, 0, at.x, at.y);
  return true;
}

bool DrawScreen(const PartySlot& member, int place) {
  ClearScreen();
  DrawEquipDecoration(135, 0);
  DrawPicToScreen(kPictures, 1, member.header.id, 0, 44, 12);
  for (int p = 0; p < kEquipPlaces; ++p) {
    if (!DrawWorn(member, p)) return false;
  }
  const EquipPlace& at = PlaceAt(place);
  DrawString(120, 80, at.label);
  DrawString(30, 40, std::string(member.name, strnlen(member.name, kShownNameBytes)).c_str());
  ScreenFrame(at.x, at.y, at.x + 24, at.y + 24);
  return true;
}

// The worn item's name and paged description; true when Enter asks for a
// change, false on Esc.
bool ShowWornItem(const ItemInfo& item) {
  ClearRect(8, 10, 90, 28);
  ScreenFrame(9, 11, 90, 28);
  DrawString(11, 12, item.name.c_str());
  ClearRect(8, 28, 150, 65);
  ScreenFrame(9, 29, 149, 64);
  auto from = [&](int line) {
    ClearRect(10, 30, 148, 63);
    return DrawWrapped(11, 30, 150, 65, line, item.description);
  };
  int last = from(0), remembered = 0;
  for (;;) {
    const uint8_t key = WaitKeyDown();
    // Paging rule A: back two lines from the last shown, or on from it once.
    if (key == kKeyPageUp && last > 1) {
      remembered = last;
      last = from(last - 2);
    }
    if (key == kKeyPageDown && last != 0 && last != remembered) {
      remembered = last;
      last = from(last);
    }
    if (key == kKeyEnter) return true;
    if (key == kKeyEscape || key == kNoKey) return false;
  }
}

// Enter on a place: the worn item first, then the change.
void ChangeAt(uint8_t slot, int place) {
  const EquipPlace& at = PlaceAt(place);
  const uint8_t id = game.party[slot].equipment.place[at.slot];
  if (id != 0) {
    const std::optional<ItemInfo> item = LookUpItem(at.kind, id);
    if (!item || !ShowWornItem(*item)) return;
  }
  EquipAtPlace(slot, place);
}

}  // namespace

void EquipAtPlace(uint8_t slot, int place) {
  if (game.invCount == 0 || game.runStatus) return;
  const EquipPlace& at = PlaceAt(place);
  ClearScreen();
  int scrollTop = 0;
  const uint8_t chosen = PickInventory(game.inventory, game.invCount, &at.kind, 1, 0, &scrollTop);
  if (chosen == kBackOut) return;
  const InvEntry entry = game.inventory[chosen];
  const std::optional<ItemInfo> item = LookUpItem(entry.kind, entry.id);
  if (!item) return;
  if (!MayWear(item->wearers, game.party[slot].header.id)) {
    ShowMessage("不能装备！", kMessageTicks);
    return;
  }
  if (game.party[slot].equipment.place[at.slot] == entry.id) return;
  OfferEquipment(slot, place, entry);
}

void EquipScreen() {
  const std::vector<uint8_t> slots = MemberSlots();
  if (slots.empty() || game.runStatus) return;
  int member = 0, place = 0;
  while (DrawScreen(game.party[slots[member]], place)) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyEscape || key == kNoKey) return;
    if (key == kKeyLeft && member > 0) --member;
    if (key == kKeyRight && member + 1 < int(slots.size())) ++member;
    if (key == kKeyUp && place > 0) --place;
    if (key == kKeyDown && place + 1 < kEquipPlaces) ++place;
    if (key == kKeyEnter) ChangeAt(slots[member], place);
    if (game.runStatus) return;
  }
}
