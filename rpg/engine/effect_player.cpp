#include "rpg/engine/effect_player.h"

#include <algorithm>
#include <array>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/effect_data.h"
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

// Where an element stands: positions are bytes, and a y of 128 or more lies
// above the screen.
struct Placed {
  int x, y;
  std::optional<PicInfo> pic;
};

Placed Place(const EffectData& e, int k, uint8_t x, uint8_t y) {
  const EffectElement el = e.Element(k);
  const int ey = uint8_t(y + el.dy);
  return {uint8_t(x + el.dx), ey >= 128 ? ey - 256 : ey, e.Picture(el.picture)};
}

bool OutsideScreen(const Placed& p) {
  if (!p.pic) return true;
  return p.x >= kScreenWidth || p.y >= kScreenHeight || p.y + p.pic->height <= 0;
}

// The element's rows that fall on the screen.
void DrawElement(const Placed& p) {
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
      : e_(e), flags_(flags), x_(x), y_(y), newest_(e.first) {
    Start(e.first);
  }

  // One frame; false when the effect is over.
  bool Frame() {
    bool redraw = started_;
    started_ = false;
    for (int k = e_.first; k <= newest_; ++k) {
      if (life_[k] == 1) {
        redraw = true;
        if (!(flags_ & kKeepScene) && !OutsideScreen(Place(e_, k, x_, y_))) {
          CanvasClear(game.sceneCanvas);
        }
      }
      if (life_[k]) --life_[k];
    }
    if (redraw) {
      Draw();
    } else {
      DelayMs(1);
    }
    // A delay of 0 starts the next element at once, as a delay of 1 does.
    if (delay_[newest_]) --delay_[newest_];
    while (delay_[newest_] <= 1 && newest_ < e_.last) Start(newest_ + 1);
    return newest_ < e_.last ||
           std::any_of(life_.begin() + e_.first, life_.begin() + newest_ + 1,
                       [](uint8_t life) { return life > 1; });
  }

 private:
  void Start(int k) {
    newest_ = k;
    life_[k] = e_.Element(k).life;
    delay_[k] = e_.Element(k).delay;
    started_ = true;
  }

  void Draw() {
    if (flags_ & kKeepScene) RestoreScene();
    for (int k = e_.first; k <= newest_; ++k) {
      if (life_[k]) DrawElement(Place(e_, k, x_, y_));
    }
    PresentScene();
  }

  const EffectData& e_;
  uint8_t flags_;
  uint8_t x_;
  uint8_t y_;
  int newest_;
  bool started_ = false;
  std::array<uint8_t, 256> life_{};
  std::array<uint8_t, 256> delay_{};
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
