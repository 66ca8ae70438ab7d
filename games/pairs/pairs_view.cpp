#include "games/pairs/pairs_view.h"

#include <cstdio>

#include "host/canvas.h"
#include "host/res.h"
#include "host/text.h"

namespace pairs {
namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int16_t kClockX = 240;
constexpr uint8_t kWinFont = 3;
constexpr int16_t kWinX = 35;
constexpr int16_t kWinY[3] = {85, 101, 117};
constexpr const char* kWinText[3] = {"   You  ***  Win!!   ", "   CONGRATULATION!   ",
                                     "   You  ***  Win!!   "};

void DrawCardOn(const PairsPictures& pictures, Pick pick, int picture, Canvas* target) {
  DrawImage(int16_t(CellX(pick.column)), int16_t(CellY(pick.row)), kCardSize, kCardSize, 0, 0,
            pictures.card[picture], target, 0);
}

}  // namespace

bool LoadPictures(void* package, PairsPictures* pictures) {
  for (int i = 0; i < kPictures; ++i) {
    ImageRef& card = pictures->card[i];
    if (ResLoadImage(&card, 1, PictureId(i), package) == nullptr || card.bitmap == nullptr) {
      return false;
    }
  }
  return true;
}

void DrawCard(const PairsPictures& pictures, Pick pick, int picture) {
  DrawCardOn(pictures, pick, picture, nullptr);
}

void DrawClock(uint32_t clock) {
  char text[24];
  std::snprintf(text, sizeof text, "Time:%u", unsigned(clock));
  SetForeColor(kRed, nullptr);
  DrawText(kClockX, 0, text, nullptr);
}

void DrawNewGame(const PairsPictures& pictures) {
  DrawClock(0);
  Canvas* work = CanvasCreate();
  CanvasCopy(work, nullptr);
  for (uint8_t row = 0; row < kSide; ++row) {
    for (uint8_t column = 0; column < kSide; ++column) {
      if (row * kSide + column != kCentre) DrawCardOn(pictures, {row, column}, kBack, work);
    }
  }
  // Without a canvas the backs were drawn on the screen itself.
  if (work != nullptr) CanvasCopy(nullptr, work);
  CanvasFree(work);
}

void DrawBoard(const PairsState& state, const PairsPictures& pictures) {
  Canvas* work = CanvasCreate();
  CanvasCopy(work, nullptr);
  for (uint8_t row = 0; row < kSide; ++row) {
    for (uint8_t column = 0; column < kSide; ++column) {
      const Pick cell{row, column};
      const uint8_t value = CardAt(state, cell);
      const int x = CellX(column);
      const int y = CellY(row);
      if (value == 0) {
        FillRectColor(int16_t(x), int16_t(y), int16_t(x + kCardSize - 1),
                      int16_t(y + kCardSize - 1), kWhite, work);
      } else {
        const bool turned = state.turned == 1 && cell == state.first;
        DrawCardOn(pictures, cell, turned ? value : kBack, work);
      }
    }
  }
  if (work != nullptr) CanvasCopy(nullptr, work);
  CanvasFree(work);
  DrawClock(state.clock);
}

void DrawWinLines(const uint32_t colours[3]) {
  SelectFont(kWinFont, nullptr);
  for (int i = 0; i < 3; ++i) {
    SetForeColor(colours[i], nullptr);
    DrawText(kWinX, kWinY[i], kWinText[i], nullptr);
  }
}

void ClearAfterWin() { FillRectColor(0, 0, 319, 214, kWhite, nullptr); }

}  // namespace pairs
