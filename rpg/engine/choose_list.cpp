#include "rpg/engine/choose_list.h"

#include <algorithm>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/input.h"
#include "rpg/engine/ui_text.h"
#include "rpg/engine/wrapped_text.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
// 8 x 8 arrows: a triangle 7 wide and 4 high after two blank rows.
constexpr uint8_t kUpArrow[8] = {0x00, 0x00, 0x10, 0x38, 0x7C, 0xFE, 0x00, 0x00};
constexpr uint8_t kDownArrow[8] = {0x00, 0x00, 0xFE, 0x7C, 0x38, 0x10, 0x00, 0x00};

class ListView {
 public:
  ListView(int x, int y, int itemBytes, int count, std::span<const uint8_t> text)
      : x_(std::max(x, 1)), y_(std::min(std::max(y, 1), count > 3 ? 42 : 50)),
        itemBytes_(itemBytes), count_(count), text_(text), r_(x_ + 4 + itemBytes * 8) {
    rows_ = (95 - y_ - 4) / 16;
    if (count_ <= rows_) {
      b_ = y_ + 4 + 16 * count_;
    } else if (count_ == rows_ + 1) {
      b_ = y_ + 12 + 16 * rows_;
      if (b_ > 94) {
        b_ = y_ + 20 + 16 * (rows_ - 1);
        --rows_;
      }
    } else {
      b_ = y_ + 4 + 16 * rows_;
      --rows_;
    }
  }

  // The first row shown for a selection and the row shown first last time.
  void Start(int& selected, const int* scrollTop) {
    if (selected >= count_) {
      selected = count_ - 1;
      top_ = count_ > rows_ - 1 ? count_ - (rows_ - 1) : 0;
    } else if (count_ - selected > rows_ - 1) {
      top_ = selected;
    } else {
      top_ = count_ > rows_ ? count_ - (rows_ - 1) : 0;
    }
    if (scrollTop && *scrollTop <= selected && selected < *scrollTop + rows_) top_ = *scrollTop;
  }

  void Draw(int selected) {
    ClearRect(int16_t(x_ - 1), int16_t(y_ - 1), int16_t(r_ + 1), int16_t(b_ + 1));
    DrawRect(int16_t(x_), int16_t(y_), int16_t(r_), int16_t(b_), kBlack, 0, nullptr);
    ClearRect(int16_t(x_ + 2), int16_t(y_ + 2), int16_t(r_ - 2), int16_t(b_ - 2));
    DrawWrapped(int16_t(x_ + 2), int16_t(TextTop()), int16_t(r_ - 2),
                int16_t(TextTop() + 16 * rows_), top_, text_);
    const int arrowX = x_ - 2 + 4 * itemBytes_;
    if (top_ != 0) {
      BlitPicScreen(int16_t(arrowX), int16_t(y_ + 2), int16_t(arrowX + 7), int16_t(y_ + 9), kUpArrow, 0);
    }
    if (top_ + rows_ < count_) {
      BlitPicScreen(int16_t(arrowX), int16_t(b_ - 10), int16_t(arrowX + 7), int16_t(b_ - 3),
                    kDownArrow, 0);
    }
    Invert(selected);
  }

  void Invert(int selected) {
    const int rowTop = TextTop() + 16 * (selected - top_);
    InvertRect(int16_t(x_ + 2), int16_t(rowTop), int16_t(r_ - 2), int16_t(rowTop + 15), nullptr);
  }

  // Up or Left: from the first item to the last, else one up.
  void Up(int& selected) {
    if (selected == 0) {
      selected = count_ - 1;
      top_ = count_ > rows_ ? count_ - rows_ : 0;
      Draw(selected);
    } else if (selected - 1 < top_) {
      --top_;
      Draw(--selected);
    } else {
      Invert(selected);
      Invert(--selected);
    }
  }

  // Down or Right: from the last item to the first, else one down.
  void Down(int& selected) {
    if (selected == count_ - 1) {
      selected = 0;
      top_ = 0;
      Draw(selected);
    } else if (selected + 1 > top_ + rows_ - 1) {
      ++top_;
      Draw(++selected);
    } else {
      Invert(selected);
      Invert(++selected);
    }
  }

  int top() const { return top_; }

 private:
  int TextTop() const { return top_ != 0 ? y_ + 10 : y_ + 2; }

  int x_, y_, itemBytes_, count_;
  std::span<const uint8_t> text_;
  int r_, b_ = 0, rows_ = 0, top_ = 0;
};

}  // namespace

uint8_t ChooseFromList(int x, int y, int itemBytes, int count, std::span<const uint8_t> text,
                       int selected, int* scrollTop) {
  if (itemBytes * 8 > 156 - x || count <= 0) return kBackOut;
  selected = std::max(selected, 0);
  ListView list(x, y, itemBytes, count, text);
  list.Start(selected, scrollTop);
  list.Draw(selected);
  Message m;
  while (NextMessage(&m)) {
    if (m.type != MsgKeyDown) continue;
    if (m.wParam == kKeyUp || m.wParam == kKeyLeft) list.Up(selected);
    if (m.wParam == kKeyDown || m.wParam == kKeyRight) list.Down(selected);
    if (m.wParam == kKeyEnter || m.wParam == kKeyEscape) {
      if (scrollTop) *scrollTop = list.top();
      return m.wParam == kKeyEnter ? uint8_t(selected) : kBackOut;
    }
  }
  return kBackOut;
}
