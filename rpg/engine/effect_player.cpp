#include "rpg/engine/effect_player.h"

#include <algorithm>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/effect_data.h"
#include "rpg/engine/effect_timeline.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kKeyEnds = 1;
constexpr uint8_t kKeepScene = 2;
constexpr int kScreenWidth = 160;
constexpr int kScreenHeight = 96;

std::optional<EffectData> FindEffect(uint8_t id1, uint8_t id2) {
  for (uint8_t id : {id2, uint8_t(1)}) {
    const std::span<const uint8_t> bytes = LibResource(uint8_t(rpgfmt::ResType::kAnimation), id1, id);
    game.runStatus = 0;
    if (const std::optional<EffectData> effect = ReadEffect(bytes)) return effect;
  }
  return std::nullopt;
}

bool OutsideScreen(const PlacedElement& p) {
  if (!p.pic) return true;
  return p.x >= kScreenWidth || p.y >= kScreenHeight || p.y + p.pic->height <= 0;
}

// The element's rows that fall on the screen.
void DrawElement(const PlacedElement& p) {
  if (!p.pic) return;
  const std::span<const uint8_t> bits = PicFrameBits(*p.pic, 0);
  if (bits.empty()) return;
  const int firstRow = std::max(0, -p.y);
  const int endRow = std::min(p.pic->height, kScreenHeight - p.y);
  if (firstRow >= endRow) return;
  const std::size_t rowBytes = PicRowBytes(p.pic->width, p.pic->depth);
  BlitFrame(int16_t(p.x), int16_t(p.y + firstRow), p.pic->width, endRow - firstRow, p.pic->depth,
            bits.subspan(std::size_t(firstRow) * rowBytes), game.sceneCanvas);
}

class Player {
 public:
  Player(const EffectData& e, uint8_t flags, uint8_t x, uint8_t y)
      : e_(e), flags_(flags), x_(x), y_(y), timeline_(e) {}

  // One frame; false when the effect is over.
  bool Frame() {
    // An expiring element clears the scene unless the kept scene is behind.
    const bool redraw = timeline_.Age([this](int k) {
      if (!(flags_ & kKeepScene) && !OutsideScreen(PlaceElement(e_, k, x_, y_))) {
        CanvasClear(game.sceneCanvas);
      }
    });
    if (redraw) {
      Draw();
    } else {
      DelayMs(1);
    }
    return timeline_.StartDue();
  }

 private:
  void Draw() {
    if (flags_ & kKeepScene) RestoreScene();
    for (int k = timeline_.First(); k <= timeline_.Newest(); ++k) {
      if (timeline_.Shown(k)) DrawElement(PlaceElement(e_, k, x_, y_));
    }
    PresentScene();
  }

  const EffectData& e_;
  uint8_t flags_;
  uint8_t x_;
  uint8_t y_;
  EffectTimeline timeline_;
};

}  // namespace

uint8_t PlayEffect(uint8_t id1, uint8_t id2, uint8_t flags, uint8_t x, uint8_t y) {
  if (game.runStatus) return kNoKey;
  const std::optional<EffectData> effect = FindEffect(id1, id2);
  if (!effect) return kNoKey;
  if (effect->Empty()) {
    // Nothing to show; a caller that waits for a key still gets one frame.
    return (flags & kKeyEnds) ? PollKey() : kNoKey;
  }
  Player player(*effect, flags, x, y);
  do {
    if (flags & kKeyEnds) {
      const uint8_t key = PollKey();
      if (key != kNoKey || game.runStatus) return key;
    }
  } while (player.Frame() && !game.runStatus);
  return kNoKey;
}
