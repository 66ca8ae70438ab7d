// The level-up panel: each attribute before and after the rise.

#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "rpg/party/centred_panel.h"
#include "rpg/party/rewards.h"

namespace {

constexpr uint8_t kPanel = 9;
constexpr int kDigitStyle = 1;
constexpr int kShownTicks = 2, kKeptTicks = 3;

// A value's place on the panel, from its top-left corner.
struct Place {
  int x;
  int y;
};

// hp / maxHp and mp / maxMp before at x 37 and 56, after at 86 and 105; the
// single values before at x 47, after at 96.
constexpr Place kPairBefore[2] = {{37, 9}, {56, 9}};
constexpr int kPairAfterShift = 49;
constexpr int kMpShift = 12;
constexpr Place kSingleBefore{47, 33};
constexpr int kSingleAfterShift = 49;
constexpr int kSingleStep = 12;

void Number(const CentredPanel& at, int x, int y, uint32_t value) {
  DrawNumber(int16_t(at.left + x), int16_t(at.top + y), value, kDigitStyle);
}

// (current, maximum) before and after on the row `dy` below the first.
void Pair(const CentredPanel& at, int dy, uint16_t cur0, uint16_t max0, uint16_t cur1,
          uint16_t max1) {
  const uint16_t values[2][2] = {{cur0, max0}, {cur1, max1}};
  for (int after = 0; after < 2; ++after) {
    for (int i = 0; i < 2; ++i) {
      Number(at, kPairBefore[i].x + after * kPairAfterShift, kPairBefore[i].y + dy,
             values[after][i]);
    }
  }
}

}  // namespace

void ShowLevelUpPanel(int slot, const LevelRow& before) {
  if (game.runStatus) return;
  const CharStats& s = game.party[slot].stats;
  const CentredPanel at = CentrePanel(kPanel);
  DrawPic(11, 2, kPanel, 0, int16_t(at.left), int16_t(at.top));
  Pair(at, 0, before.hp, before.maxHp, s.hp, s.maxHp);
  Pair(at, kMpShift, before.mp, before.maxMp, s.mp, s.maxMp);
  const uint16_t singles[5][2] = {{before.attack, s.attack},
                                  {before.defence, s.defence},
                                  {before.agility, s.agility},
                                  {before.spirit, s.spirit},
                                  {before.luck, s.luck}};
  for (int i = 0; i < 5; ++i) {
    const int y = kSingleBefore.y + i * kSingleStep;
    Number(at, kSingleBefore.x, y, singles[i][0]);
    Number(at, kSingleBefore.x + kSingleAfterShift, y, singles[i][1]);
  }
  WaitTicks(kShownTicks, true);
  PresentScene();
  WaitTicks(kKeptTicks, true);
}
