#pragma once
// Which elements of an effect animation show, frame by frame, and where: an
// element is shown for `life` frames, and the next one starts when the
// newest one's `delay` has run down (a delay of 0 starts it at once, as a
// delay of 1 does). Drawing is the player's business; this walk touches no
// canvas, so it runs on any bytes without a screen.

#include <array>
#include <cstdint>
#include <optional>

#include "rpg/engine/effect_data.h"

// Where element k stands for an effect played at (x, y): positions are
// bytes, and a y of 128 or more lies above the screen.
struct PlacedElement {
  int x, y;
  std::optional<PicInfo> pic;
};
PlacedElement PlaceElement(const EffectData& e, int k, uint8_t x, uint8_t y);

class EffectTimeline {
 public:
  // `e` must not be Empty() and must outlive the timeline.
  explicit EffectTimeline(const EffectData& e);

  // Ages the shown elements by one frame, calling `expiring(k)` for each in
  // its last frame; true when the picture changes (an element started or
  // ended since the last call).
  template <typename Expiring>
  bool Age(Expiring expiring) {
    bool changed = started_;
    started_ = false;
    for (int k = e_.first; k <= newest_; ++k) {
      if (life_[k] == 1) {
        changed = true;
        expiring(k);
      }
      if (life_[k]) --life_[k];
    }
    return changed;
  }

  // Counts down the newest element's delay and starts those whose turn has
  // come; false when the effect is over.
  bool StartDue();

  int First() const { return e_.first; }
  int Newest() const { return newest_; }
  bool Shown(int k) const { return life_[k] != 0; }

 private:
  void Start(int k);

  const EffectData& e_;
  int newest_;
  bool started_ = false;
  std::array<uint8_t, 256> life_{};
  std::array<uint8_t, 256> delay_{};
};
