#include "rpg/party/status_screen.h"

#include <cstdint>
#include <vector>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"
#include "rpg/party/list_marks.h"
#include "rpg/party/member_names.h"
#include "rpg/party/status_page.h"

namespace {

constexpr uint8_t kMemberPictures = 1;  // id1 of the members' pictures (11, 1, id)

void DrawMember(const std::vector<uint8_t>& slots, int member, int page) {
  StatusPage(game.party[slots[member]].stats, page);
  ClearRect(1, 2, 7, 95);
  DrawPointer(1, 12 + 32 * member);
}

}  // namespace

void StatusScreen() {
  const std::vector<uint8_t> slots = MemberSlots();
  const int n = int(slots.size());
  if (n == 0 || game.runStatus) return;
  ClearRect(0, 0, 36, 95);
  for (int i = 0; i < n; ++i) {
    DrawPicToScreen(uint8_t(rpgfmt::ResType::kPicture), kMemberPictures, game.party[slots[i]].header.id,
                    0, 8, uint8_t(2 + 32 * i));
  }
  int member = 0, page = 0;
  DrawMember(slots, member, page);
  for (;;) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyEscape || key == kNoKey) return;
    if (key == kKeyPageUp || key == kKeyPageDown) {
      ++page;
    } else if (n >= 2 && (key == kKeyLeft || key == kKeyUp)) {
      member = (member + n - 1) % n;
    } else if (n >= 2 && (key == kKeyRight || key == kKeyDown)) {
      member = (member + 1) % n;
    } else {
      continue;
    }
    DrawMember(slots, member, page);
  }
}
