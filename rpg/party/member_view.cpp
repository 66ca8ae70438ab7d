#include "rpg/party/member_view.h"

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"
#include "rpg/party/member_names.h"
#include "rpg/party/status_page.h"

namespace {
constexpr uint8_t kMemberPictures = 1;  // id1 of the members' pictures (11, 1, id)
}  // namespace

MemberView::MemberView(int clearFromX, int clearToY)
    : slots_(MemberSlots()), clearFromX_(clearFromX), clearToY_(clearToY) {}

void MemberView::Draw() const {
  ClearRect(int16_t(clearFromX_), 60, 36, int16_t(clearToY_));
  DrawPicToScreen(uint8_t(rpgfmt::ResType::kPicture), kMemberPictures, game.party[slot()].header.id, 0, 8, 60);
  StatusPage(game.party[slot()].stats, page_);
}

bool MemberView::Step(uint8_t key, bool wrap) {
  const int n = int(slots_.size());
  if (key == kKeyPageUp || key == kKeyPageDown) {
    ++page_;
  } else if (key == kKeyLeft && n >= 2 && (wrap || member_ > 0)) {
    member_ = (member_ + n - 1) % n;
  } else if (key == kKeyRight && n >= 2 && (wrap || member_ + 1 < n)) {
    member_ = (member_ + 1) % n;
  } else {
    return false;
  }
  Draw();
  return true;
}
