#include "rpg/party/member_names.h"

#include "rpg/engine/game_state.h"
#include "rpg/engine/ui_text.h"

namespace {

// A name holds at most 12 bytes before its zero.
constexpr int kNameBytes = 12;

void AppendListName(const char* name, std::vector<uint8_t>& out) {
  int used = 0;
  while (used < kNameBytes && name[used] != 0) {
    const int width = IsLeadByte(uint8_t(name[used])) ? 2 : 1;
    // A lead byte without its second byte is left off as well.
    if (used + width > kListNameBytes || (width == 2 && name[used + 1] == 0)) break;
    used += width;
  }
  out.insert(out.end(), name, name + used);
  out.insert(out.end(), std::size_t(kListNameBytes - used), uint8_t(' '));
}

}  // namespace

std::vector<uint8_t> MemberSlots() {
  std::vector<uint8_t> slots;
  for (int i = 0; i < kPartySlots; ++i) {
    if (game.party[i].header.id != 0) slots.push_back(uint8_t(i));
  }
  return slots;
}

std::vector<uint8_t> PackedMemberNames(const std::vector<uint8_t>& slots) {
  std::vector<uint8_t> names;
  for (uint8_t slot : slots) AppendListName(game.party[slot].name, names);
  return names;
}
