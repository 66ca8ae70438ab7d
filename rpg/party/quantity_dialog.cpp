#include "rpg/party/quantity_dialog.h"

#include <algorithm>
#include <string>

#include "host/msg.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/inventory.h"
#include "rpg/party/list_marks.h"

namespace {

constexpr uint64_t kMaxMoney = 99999;
constexpr int kNameBytes = 12;

class Dialog {
 public:
  Dialog(bool selling, int held, uint32_t price)
      : selling_(selling), held_(held), price_(price), shown_(game.money) {}

  void DrawFrame(std::string_view name) const {
    ClearRect(12, 21, 147, 75);
    ScreenFrame(13, 22, 146, 74);
    DrawString(15, 24, "金钱：");
    DrawString(15, 40, std::string(name.substr(0, kNameBytes)).c_str());
    DrawString(93, 40, ":");
    DrawString(15, 56, selling_ ? "卖出个数  ：" : "买入个数  ：");
  }

  void Redraw() const {
    ClearRect(64, 24, 140, 39);
    ClearRect(109, 40, 145, 73);
    PrintInt(64, 24, shown_, 10, 0);
    PrintInt(109, 40, uint32_t(held_), 10, 0);
    PrintInt(109, 56, uint32_t(chosen_), 10, 0);
  }

  // Up buys one more or sells one fewer; Down the other way.
  void Up() {
    if (selling_) {
      if (chosen_ > 0) Sell(-1);
    } else if (shown_ < price_) {
      ShowMessage("金钱不足！", 100);
    } else if (held_ < kMaxItemCount) {
      ++held_;
      ++chosen_;
      shown_ -= price_;
    }
  }
  void Down() {
    if (selling_) {
      if (held_ > 0) Sell(+1);
    } else if (chosen_ > 0) {
      --held_;
      --chosen_;
      shown_ += price_;
    }
  }

  int chosen() const { return chosen_; }

 private:
  void Sell(int step) {
    chosen_ += step;
    held_ -= step;
    shown_ = MoneyAfterSale(game.money, uint64_t(chosen_) * price_);
  }

  bool selling_;
  int held_;
  uint32_t price_;
  uint32_t shown_;
  int chosen_ = 0;
};

}  // namespace

uint32_t MoneyAfterSale(uint32_t money, uint64_t earned) {
  return uint32_t(std::max<uint64_t>(money, std::min<uint64_t>(money + earned, kMaxMoney)));
}

uint8_t QuantityDialog(int mode, int held, std::string_view name, uint32_t price) {
  Dialog dialog(mode == kSelling, held, price);
  dialog.DrawFrame(name);
  dialog.Redraw();
  for (;;) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyUp) dialog.Up();
    if (key == kKeyDown) dialog.Down();
    if (key == kKeyEnter) return dialog.chosen() == 0 ? kBackOut : uint8_t(dialog.chosen());
    if (key == kKeyEscape || key == kNoKey) return kBackOut;
    dialog.Redraw();
  }
}
