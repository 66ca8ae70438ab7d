#include "rpg/party/system_menu.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/load_game.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/save_game.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/equip_from_items.h"
#include "rpg/party/equip_screen.h"
#include "rpg/party/item_use.h"
#include "rpg/party/list_marks.h"
#include "rpg/party/magic_use.h"
#include "rpg/party/member_names.h"
#include "rpg/party/status_screen.h"

namespace {


enum class After { kGoOn, kClose };

std::span<const uint8_t> Packed(const char* text) {
  return {reinterpret_cast<const uint8_t*>(text), std::strlen(text)};
}

// A list of `itemBytes`-byte items packed in `text`, from its first item.
uint8_t Choose(int x, int y, int itemBytes, const char* text) {
  const std::span<const uint8_t> items = Packed(text);
  return ChooseFromList(x, y, itemBytes, int(items.size()) / itemBytes, items, 0, nullptr);
}

void DrawMoney() {
  ClearRect(9, 3, 101, 23);
  ScreenFrame(10, 4, 100, 22);
  DrawString(11, 5, "金钱：");
  PrintInt(51, 5, game.money, 10, 0);
}

After Attributes() {
  const uint8_t choice = Choose(40, 17, 4, "状态穿戴");
  if (choice == 0) StatusScreen();
  if (choice == 1) EquipScreen();
  return After::kGoOn;
}

After Magic() {
  const std::vector<uint8_t> slots = MemberSlots();
  if (slots.empty()) return After::kGoOn;
  uint8_t member = 0;
  if (slots.size() > 1) {
    member = ChooseFromList(40, 30, kListNameBytes, int(slots.size()), PackedMemberNames(slots), 0, nullptr);
    if (member == kBackOut) return After::kGoOn;
  }
  CastMagicMenu(slots[member]);
  return After::kGoOn;
}

After Items() {
  const uint8_t choice = Choose(40, 40, 4, "使用装备");
  if (choice == 0 && UseItemMenu()) return After::kClose;
  if (choice == 1) EquipFromItems();
  return After::kGoOn;
}

void Music() {
  const uint8_t choice = Choose(80, 50, 6, "音乐开音乐关");
  if (choice == 0) {
    game.soundOn = 1;
    game.musicReplayFlag = 0;
    ReplayMusic();
  } else if (choice == 1) {
    game.soundOn = 0;
    StopMusic();
  }
}

After System() {
  switch (Choose(40, 30, 8, "读入进度存储进度游戏设置结束游戏")) {
    case 0:
      LoadGame();
      return After::kClose;
    case 1:
      if (game.saveAllowed) {
        SaveMenu();
      } else {
        ShowMessage("目前不能存档!", 200);
      }
      return After::kClose;
    case 2:
      Music();
      return After::kGoOn;
    case 3:
      game.runStatus = kBackToTitle;
      return After::kClose;
    default:
      return After::kGoOn;
  }
}

}  // namespace

void SystemMenu() {
  game.musicReplayFlag = 0;
  using Action = After (*)();
  static constexpr Action kActions[] = {Attributes, Magic, Items, System};
  int last = 0;
  while (!game.runStatus) {
    DrawMoney();
    const uint8_t choice = ChooseFromList(10, 24, 4, 4, Packed("属性魔法物品系统"), last, nullptr);
    if (choice == kBackOut) return;
    last = choice;
    if (kActions[choice]() == After::kClose || game.runStatus) return;
    PresentScene();
  }
}
