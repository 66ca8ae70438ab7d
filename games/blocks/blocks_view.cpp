#include "games/blocks/blocks_view.h"

#include <cstdio>

#include "games/blocks/blocks_pictures.h"
#include "host/device_api.h"

namespace blocks {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

// The well's top-left cell, and the size of a cell.
constexpr int kBoardLeft = 45;
constexpr int kBoardTop = 9;
constexpr int kCellSize = 15;
// The preview box and its cells.
constexpr int kPreviewLeft = 8, kPreviewTop = 59, kPreviewRight = 34, kPreviewBottom = 84;
constexpr int kPreviewCellLeft = 10, kPreviewCellTop = 60, kPreviewCellSize = 6;
// The score: four digits, thousands first.
constexpr int kDigitX[4] = {203, 212, 221, 230};
constexpr int kDigitY = 68;

void Load(ImageRef& out, const PictureId& picture, void* package) {
  ResLoadImage(&out, 1, picture.id, package);
}

}  // namespace

bool View::Open(const char* path) {
  package_ = ResOpen(path);
  if (!package_) return false;
  Load(background_, kBackgroundPicture, package_);
  Load(block_, kBlockPicture, package_);
  Load(previewBlock_, kPreviewBlockPicture, package_);
  for (int d = 0; d < 10; ++d) Load(digits_[d], kDigitPictures[d], package_);
  // Without a canvas the steps draw on the screen itself: slower, same picture.
  canvas_ = CanvasCreate();
  return true;
}

void View::Close() {
  if (canvas_) CanvasFree(canvas_);
  canvas_ = nullptr;
  if (package_) ResClose(package_);
  package_ = nullptr;
}

template <typename Draw>
void View::DrawingStep(Draw draw) {
  if (canvas_) CanvasCopy(canvas_, nullptr);
  draw();
  if (canvas_) CanvasCopy(nullptr, canvas_);
}

void View::DrawPicture(int x, int y, const ImageRef& image, int w, int h) {
  DrawImage(int16_t(x), int16_t(y), int16_t(w), int16_t(h), 0, 0, image, canvas_, 0);
}

void View::Background() {
  DrawingStep([&] {
    DrawPicture(0, 0, background_, kBackgroundPicture.width, kBackgroundPicture.height);
  });
}

void View::Score(int32_t score) {
  DrawingStep([&] {
    int divisor = 1000;
    for (int x : kDigitX) {
      const int digit = score / divisor % 10;
      DrawPicture(x, kDigitY, digits_[digit], kDigitPictures[digit].width,
                  kDigitPictures[digit].height);
      divisor /= 10;
    }
  });
}

void View::Preview(const Grid& next) {
  DrawingStep([&] {
    FillRectColor(kPreviewLeft, kPreviewTop, kPreviewRight, kPreviewBottom, kBlack, canvas_);
    for (int c = 0; c < kGridSize; ++c) {
      for (int r = 0; r < kGridSize; ++r) {
        if (!next[c][r]) continue;
        DrawPicture(kPreviewCellLeft + kPreviewCellSize * c, kPreviewCellTop + kPreviewCellSize * r,
                    previewBlock_, kPreviewBlockPicture.width, kPreviewBlockPicture.height);
      }
    }
  });
}

void View::BoardArea(const Board& board, int x, int y, int w, int h) {
  DrawingStep([&] {
    for (int c = x; c < x + w; ++c) {
      for (int r = y; r < y + h; ++r) {
        const int px = kBoardLeft + kCellSize * c, py = kBoardTop + kCellSize * r;
        if (board[c][r]) {
          DrawPicture(px, py, block_, kBlockPicture.width, kBlockPicture.height);
        } else {
          FillRectColor(int16_t(px), int16_t(py), int16_t(px + kCellSize - 1),
                        int16_t(py + kCellSize - 1), kBlack, canvas_);
        }
      }
    }
  });
}

void View::EndScreen(const GameResult& result) {
  DrawingStep([&] {
    FillRectColor(0, 0, 159, 159, kWhite, canvas_);
    DrawRect(0, 0, 158, 158, kBlack, 0, canvas_);
    if (result.won) {
      DrawText(12, 6, "恭喜!您已经通关.", canvas_);
      DrawText(16, 22, "好厉害呀!PF!PF!", canvas_);
    } else {
      DrawText(12, 6, "哈哈,Game Over了.", canvas_);
      DrawText(18, 22, "要多多努力哟!", canvas_);
    }
    DrawText(4, 38, "===================", canvas_);
    char number[16];
    DrawText(4, 54, "你的分数:", canvas_);
    std::snprintf(number, sizeof number, "%d", int(result.score));
    DrawText(88, 54, number, canvas_);
    DrawText(4, 73, "你的等级:", canvas_);
    std::snprintf(number, sizeof number, "%d", int(result.level));
    DrawText(88, 73, number, canvas_);
  });
}

}  // namespace blocks
