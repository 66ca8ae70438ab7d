#include "rpg/engine/effect_timeline.h"

#include <algorithm>

PlacedElement PlaceElement(const EffectData& e, int k, uint8_t x, uint8_t y) {
  const EffectElement el = e.Element(k);
  const int ey = uint8_t(y + el.dy);
  return {uint8_t(x + el.dx), ey >= 128 ? ey - 256 : ey, e.Picture(el.picture)};
}

EffectTimeline::EffectTimeline(const EffectData& e) : e_(e), newest_(e.first) { Start(e.first); }

bool EffectTimeline::StartDue() {
  if (delay_[newest_]) --delay_[newest_];
  while (delay_[newest_] <= 1 && newest_ < e_.last) Start(newest_ + 1);
  return newest_ < e_.last || std::any_of(life_.begin() + e_.first, life_.begin() + newest_ + 1,
                                          [](uint8_t life) { return life > 1; });
}

void EffectTimeline::Start(int k) {
  newest_ = k;
  life_[k] = e_.Element(k).life;
  delay_[k] = e_.Element(k).delay;
  started_ = true;
}
