// The learned-magic panel: who learned which magic.

#include <string>

#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/item_records.h"
#include "rpg/party/centred_panel.h"
#include "rpg/party/magic_learning.h"
#include "rpg/party/record_text.h"
#include "rpg/party/rewards.h"

namespace {

namespace mr = rpgfmt::magicrec;
constexpr uint8_t kPanel = 10;
constexpr int kMargin = 3;
constexpr int kScreenRight = 159, kCharWidth = 8;
constexpr int kMemberRow = 6, kMagicRow = 43;
constexpr int kShownTicks = 3;
constexpr std::size_t kMagicNameSize = rpgfmt::FieldNamed(mr::kFields, "name").size;

void Centred(int y, std::string_view text) {
  const std::string s(text);
  DrawString(int16_t((kScreenRight - kCharWidth * int(s.size())) / 2), int16_t(y), s.c_str());
}

std::string_view MemberName(int slot) {
  return FieldText(game.party[slot].name, kMemberNameSize);
}

}  // namespace

void ShowLearned(std::string_view memberName, std::string_view magicName) {
  if (game.runStatus) return;
  const CentredPanel at = CentrePanel(kPanel);
  ClearRect(int16_t(at.left - kMargin), int16_t(at.top - kMargin),
            int16_t(at.left + at.width - 1 + kMargin), int16_t(at.top + at.height - 1 + kMargin));
  DrawPicToScreen(11, 2, kPanel, 0, uint8_t(at.left), uint8_t(at.top));
  Centred(at.top + kMemberRow, memberName);
  Centred(at.top + kMagicRow, magicName);
  WaitTicks(kShownTicks, true);
}

void ShowLearnedMagic(int slot, const uint8_t* magicRecord) {
  ShowLearned(MemberName(slot), FieldText(magicRecord + mr::kName, kMagicNameSize));
}

void TeachMagic(int slot, uint8_t magicClass, uint8_t id) {
  const uint8_t* record = LearnMagic(slot, magicClass, id);
  if (record) ShowLearnedMagic(slot, record);
}
