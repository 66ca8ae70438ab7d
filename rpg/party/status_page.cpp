#include "rpg/party/status_page.h"

#include <cstdint>

#include "rpg/engine/numbers.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/list_marks.h"
#include "rpg/party/party_types.h"

namespace {

constexpr int kLabelX = 43;
constexpr int kValueX = 98;
constexpr int kRowY[5] = {5, 23, 41, 59, 77};
constexpr uint8_t kShownAsMax = 240;

void Value(int row, uint32_t value) { PrintInt(kValueX, uint8_t(kRowY[row]), value, 10, 0); }

// "now/max" on a row: the slash at x 124, the maximum at x 133.
void Pair(int row, uint32_t now, uint32_t max) {
  Value(row, now);
  DrawString(124, int16_t(kRowY[row]), "/");
  PrintInt(133, uint8_t(kRowY[row]), max, 10, 0);
}

int Digits(uint32_t value) {
  int n = 1;
  while (value >= 10) {
    value /= 10;
    ++n;
  }
  return n;
}

// Experience in the small 4 x 7 digits, the slash and the next level's
// amount moved right as the experience grows.
void Experience(const CharStats& s) {
  const int shift = (4 - (Digits(s.exp) - 1)) * 4;
  DrawNumber(kValueX, 7, s.exp, 0);
  DrawString(int16_t(122 - shift), 5, "/");
  DrawNumber(int16_t(131 - shift), 12, s.nextExp, 0);
}

// One character per immunity bit, poison first, with a line between two.
void Immunities(uint8_t bits) {
  static const char* const kMarks[4] = {"毒", "乱", "封", "眠"};
  const int row = kRowY[4];
  int n = 0;
  for (int b = 3; b >= 0; --b) n += (bits >> b) & 1;
  if (n == 0) {
    DrawString(kValueX, int16_t(row), "无");
    return;
  }
  int i = 0;
  for (int b = 3; b >= 0; --b) {
    if (((bits >> b) & 1) == 0) continue;
    const int x = 19 * i + kValueX - (n / 4) * 14;
    if (i > 0) ScreenLine(x - 2, row, x - 2, row + 15);
    DrawString(int16_t(x), int16_t(row), kMarks[3 - b]);
    ++i;
  }
}

void EvenPage(const CharStats& s) {
  static const char* const kLabels[5] = {"等级", "生命", "真气", "攻击力", "防御力"};
  for (int r = 0; r < 5; ++r) DrawString(kLabelX, int16_t(kRowY[r]), kLabels[r]);
  if (s.level >= kShownAsMax) {
    DrawString(kValueX, int16_t(kRowY[0]), "MAX");
  } else {
    Value(0, s.level);
  }
  Pair(1, s.hp, s.maxHp);
  Pair(2, s.mp, s.maxMp);
  Value(3, s.attack);
  Value(4, s.defence);
}

void OddPage(const CharStats& s) {
  static const char* const kLabels[5] = {"经验值", "身法", "灵力", "幸运", "免疫"};
  for (int r = 0; r < 5; ++r) DrawString(kLabelX, int16_t(kRowY[r]), kLabels[r]);
  Experience(s);
  Value(1, s.agility);
  Value(2, s.spirit);
  Value(3, s.luck);
  Immunities(s.immunity);
}

}  // namespace

void StatusPage(const CharStats& stats, int page) {
  ClearRect(37, 0, 158, 95);
  ScreenLine(38, 10, 38, 86);
  if ((page & 1) == 0) {
    EvenPage(stats);
  } else {
    OddPage(stats);
  }
}
