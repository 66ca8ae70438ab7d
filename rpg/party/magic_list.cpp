#include "rpg/party/magic_list.h"

#include <algorithm>
#include <span>
#include <string>

#include "host/msg.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/ui_text.h"
#include "rpg/engine/wrapped_text.h"
#include "rpg/format/item_records.h"
#include "rpg/party/list_marks.h"
#include "rpg/party/magic_record.h"
#include "rpg/party/party_types.h"

namespace {

constexpr int kMarkerX = 132;

std::string NameOf(std::span<const uint8_t> record) {
  const auto name = MagicNameField(record);
  return std::string(name.begin(), std::find(name.begin(), name.end(), 0));
}

class MagicList {
 public:
  MagicList(const MagicEntry* list, int count, int selected) : list_(list), count_(count) {
    current_ = std::clamp(selected, 0, count - 1);
    top_ = current_ + 1 < count ? current_ : std::max(count - 2, 0);
  }

  bool Draw() {
    ClearScreen();
    ScreenFrame(10, 4, 147, 39);
    ScreenFrame(10, 41, 147, 76);
    DrawString(10, 78, "耗真气:");
    DrawMarker(kMarkerX, 15, false);
    DrawMarker(kMarkerX, 23, false);
    return DrawNames() && DrawCurrent();
  }

  bool Up() {
    if (current_ == 0) return true;
    --current_;
    if (current_ < top_) {
      top_ = current_;
      if (!DrawNames()) return false;
    }
    return DrawCurrent();
  }

  bool Down() {
    if (current_ + 1 >= count_) return true;
    ++current_;
    if (current_ > top_ + 1) {
      top_ = current_ - 1;
      if (!DrawNames()) return false;
    }
    return DrawCurrent();
  }

  // Paging rule A: back two lines from the last shown, or on from it once.
  void PageUp() {
    if (lastLine_ <= 1) return;
    remembered_ = lastLine_;
    DrawDescription(lastLine_ - 2);
  }
  void PageDown() {
    if (lastLine_ == 0 || lastLine_ == remembered_) return;
    remembered_ = lastLine_;
    DrawDescription(lastLine_);
  }

  int current() const { return current_; }

 private:
  bool DrawNames() {
    ClearRect(14, 6, 94, 38);
    for (int row = 0; row < 2 && top_ + row < count_; ++row) {
      const std::span<const uint8_t> r = LookUpMagic(list_[top_ + row]);
      if (r.empty()) return false;
      DrawString(14, int16_t(6 + 16 * row), NameOf(r).c_str());
    }
    DrawMarker(kMarkerX, 7, top_ != 0);
    DrawMarker(kMarkerX, 31, top_ + 2 < count_);
    return true;
  }

  // The cursor beside the current row, its description from line 0 and its cost.
  bool DrawCurrent() {
    record_ = LookUpMagic(list_[current_]);
    if (record_.empty()) return false;
    ClearRect(99, 9, 110, 36);
    DrawSwordCursor(99, current_ == top_ ? 9 : 25);
    remembered_ = 0;
    DrawDescription(0);
    ClearRect(66, 80, 158, 95);
    PrintInt(66, 80, record_[rpgfmt::magicrec::kMpCost], 10, 0);
    return true;
  }

  void DrawDescription(int line) {
    ClearRect(11, 42, 146, 75);
    lastLine_ = DrawWrapped(12, 43, 145, 74, line, record_.subspan(rpgfmt::magicrec::kDescription));
  }

  const MagicEntry* list_;
  int count_;
  int current_ = 0, top_ = 0, lastLine_ = 0, remembered_ = 0;
  std::span<const uint8_t> record_;
};

}  // namespace

uint8_t PickMagic(const MagicEntry* list, int count, int selected) {
  count = std::min(count, int(kMagicListSize));
  if (count <= 0 || game.runStatus) return kBackOut;
  MagicList magic(list, count, selected);
  bool ok = magic.Draw();
  while (ok) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyUp || key == kKeyLeft) ok = magic.Up();
    if (key == kKeyDown || key == kKeyRight) ok = magic.Down();
    if (key == kKeyPageUp) magic.PageUp();
    if (key == kKeyPageDown) magic.PageDown();
    if (key == kKeyEnter) return uint8_t(magic.current());
    if (key == kKeyEscape || key == kNoKey) break;
  }
  return kBackOut;
}
