#pragma once
// Drawing of the falling-blocks game on the Device API. Every drawing step
// copies the screen into the work canvas, draws there and copies the canvas
// back, so each step shows as one frame.

#include "games/blocks/blocks_rules.h"
#include "host/types.h"

namespace blocks {

class View final : public Painter {
 public:
  View() = default;
  ~View() override { Close(); }
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // Opens the package at `path` and makes the work canvas of the screen's
  // size; false, with nothing held, when the package does not open.
  bool Open(const char* path);
  // Frees the canvas and closes the package; safe to call again.
  void Close();

  void Background() override;
  void Score(int32_t score) override;
  void Preview(const Grid& next) override;
  void BoardArea(const Board& board, int x, int y, int w, int h) override;

  // The box in the top-left corner that ends a game.
  void EndScreen(const GameResult& result);

 private:
  template <typename Draw>
  void DrawingStep(Draw draw);
  void DrawPicture(int x, int y, const ImageRef& image, int w, int h);

  void* package_ = nullptr;
  Canvas* canvas_ = nullptr;
  ImageRef background_{};
  ImageRef block_{};
  ImageRef previewBlock_{};
  ImageRef digits_[10]{};
};

}  // namespace blocks
