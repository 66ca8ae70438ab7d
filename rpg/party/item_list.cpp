#include "rpg/party/item_list.h"

#include <optional>

#include "host/msg.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/engine/wrapped_text.h"
#include "rpg/format/library.h"
#include "rpg/party/item_record.h"
#include "rpg/party/list_marks.h"

namespace {

constexpr int kRows = 4;
constexpr int kRowHeight = 23;
constexpr int kCell = 24;
constexpr uint8_t kItemPicType = uint8_t(rpgfmt::ResType::kItemPicture);

// Picture (9, kind, picture) centred in the 24 x 24 cell at (x, y). A
// missing picture draws nothing and is no error.
void DrawCentred(uint8_t kind, uint8_t picture, int x, int y) {
  const std::optional<PicInfo> pic = ReadPicHeader(LibResource(kItemPicType, kind, picture));
  game.runStatus = 0;
  if (!pic) return;
  const int left = x + (kCell - pic->width) / 2;
  const int top = y + (kCell - pic->height) / 2;
  DrawPicToScreen(kItemPicType, kind, picture, 0, uint8_t(left), uint8_t(top));
}

void DrawFixedParts() {
  static constexpr int kLines[][4] = {
      {0, 5, 5, 0},     {5, 0, 39, 0},     {0, 5, 0, 95},     {40, 21, 40, 95},
      {41, 20, 41, 95}, {0, 95, 39, 95},   {39, 0, 58, 19},   {39, 1, 57, 19},
      {58, 19, 140, 19}, {42, 20, 140, 20}, {54, 0, 140, 0},  {42, 58, 140, 58},
  };
  for (const auto& l : kLines) ScreenLine(l[0], l[1], l[2], l[3]);
  ScreenFrame(42, 21, 158, 57);
  ScreenFrame(42, 59, 158, 95);
  DrawString(46, 23, "名：");
  DrawString(46, 40, "价：");
}

class ItemList {
 public:
  ItemList(int mode, int count, const InvEntry* entries, int selected, int scrollTop)
      : mode_(mode), count_(count), entries_(entries) {
    selected_ = selected < 0 ? 0 : selected > count - 1 ? count - 1 : selected;
    top_ = scrollTop < 0 ? 0 : scrollTop;
    if (count - 1 < top_ + kRows - 1) top_ = count <= kRows ? 0 : count - kRows;
    if (selected_ < top_) selected_ = top_;
    // A selection below the fourth row brings its row into view.
    if (selected_ > top_ + kRows - 1) top_ = selected_ - (kRows - 1);
  }

  // The whole list; false when an item record is missing.
  bool Draw() {
    DrawFixedParts();
    return DrawRows() && DrawInfo();
  }

  bool Down() {
    if (selected_ + 1 >= count_) return true;
    ++selected_;
    if (selected_ > top_ + kRows - 1) ++top_;
    return DrawRows() && DrawInfo();
  }

  bool Up() {
    if (selected_ == 0) return true;
    --selected_;
    if (selected_ < top_) --top_;
    return DrawRows() && DrawInfo();
  }

  // Paging rule B: on from the last shown line, or back two lines.
  void PageDown() { DrawDescription(lastLine_); }
  void PageUp() {
    if (lastLine_ >= 2) DrawDescription(lastLine_ - 2);
    if (lastLine_ == 1) DrawDescription(0);
  }

  int selected() const { return selected_; }
  int top() const { return top_; }

 private:
  bool DrawRows() {
    ClearRect(4, 7, 10, 94);
    for (int r = 0; r < kRows; ++r) {
      const int y = kRowHeight * r + 1;
      ClearRect(14, int16_t(y), 37, int16_t(y + kCell - 1));
      if (top_ + r >= count_) continue;
      const InvEntry& e = entries_[top_ + r];
      const std::optional<ItemInfo> item = LookUpItem(e.kind, e.id);
      if (!item) return false;
      DrawCentred(e.kind, item->picture, 14, y);
    }
    DrawPointer(4, kRowHeight * (selected_ - top_) + 8);
    return true;
  }

  bool DrawInfo() {
    const InvEntry& e = entries_[selected_];
    item_ = LookUpItem(e.kind, e.id);
    if (!item_) return false;
    ClearRect(74, 23, 155, 55);
    DrawString(74, 23, item_->name.c_str());
    PrintInt(74, 41, (mode_ & kListSellPrice) ? item_->sellPrice : item_->buyPrice, 10, 0);
    if (mode_ & kListCount) {
      ClearRect(61, 1, 158, 18);
      DrawString(60, 2, "数量：");
      PrintInt(110, 3, e.count, 10, 0);
    }
    DrawDescription(0);
    return true;
  }

  void DrawDescription(int line) {
    ClearRect(43, 60, 157, 94);
    lastLine_ = DrawWrapped(46, 61, 157, 94, line, item_->description);
  }

  int mode_, count_;
  const InvEntry* entries_;
  int selected_ = 0, top_ = 0, lastLine_ = 0;
  std::optional<ItemInfo> item_;
};

}  // namespace

uint8_t PickItem(int mode, int count, const InvEntry* entries, int selected, int* scrollTop) {
  if (count <= 0 || game.runStatus) return kBackOut;
  ItemList list(mode, count, entries, selected, scrollTop ? *scrollTop : 0);
  bool ok = list.Draw();
  while (ok) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyDown) ok = list.Down();
    if (key == kKeyUp) ok = list.Up();
    if (key == kKeyPageDown) list.PageDown();
    if (key == kKeyPageUp) list.PageUp();
    if (key == kKeyEnter || key == kKeyEscape) {
      if (scrollTop) *scrollTop = list.top();
      return key == kKeyEnter ? uint8_t(list.selected()) : kBackOut;
    }
    if (key == kNoKey) break;
  }
  return kBackOut;
}
