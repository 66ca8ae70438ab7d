#include "rpg/engine/sprite_clip.h"

#include <algorithm>

namespace {

constexpr int kCell = 16;

// Cuts the plan to the frame and to the window. Frames up to 32 x 32 never
// need it; larger ones would otherwise copy rows the frame lacks or draw
// outside the window.
std::optional<ClipPlan> Limit(ClipPlan p, int w, int h) {
  p.width = std::min(p.width, w - p.srcX);
  p.height = std::min(p.height, h - p.srcY);
  if (p.destY < 0) {
    p.srcY -= p.destY;
    p.height += p.destY;
    p.destY = 0;
  }
  p.height = std::min(p.height, kWindowBottom - p.destY);
  p.width = std::min(p.width, kWindowRight - p.destX);
  if (p.width <= 0 || p.height <= 0) return std::nullopt;
  return p;
}

}  // namespace

std::optional<ClipPlan> PlanClippedSprite(uint8_t c, uint8_t r, int w, int h, int tileHeight) {
  if ((c > 8 && c < 128) || r > 128) return std::nullopt;
  const int wb = (w + 7) / 8;
  const int wt = (w + 15) / 16;
  const int ht = (h + 15) / 16;
  const int cl = c >= 128 ? 256 - c : 0;  // columns cut off on the left
  if (wt <= cl || ht + 5 <= r) return std::nullopt;
  const int ct = ht > r + 1 ? ht - (r + 1) : 0;  // rows cut off at the top
  if (ct >= ht) return std::nullopt;
  const int vw = uint8_t(wt <= 9 - c ? wt - cl : 9 - c);
  const int vh = r + 1 >= 7 ? ht + 5 - r : ht - ct;
  ClipPlan p{kCell * cl, kCell * ct, kCell * vw, kCell * vh, c < 128 ? kCell * c + 8 : 8,
             kCell * (r + 1 < 6 ? r + 1 - vh : 6 - vh), r == 2 && c <= 4 && c + wb >= 5};
  if (p.srcX + p.width > w) p.width = w - p.srcX;
  // A frame whose height is not whole cells stands on its cell's bottom.
  const int hr = h % kCell;
  if (hr != 0) {
    if (p.srcY + p.height > h && p.srcY != 0) p.srcY = h - p.height;
    if (p.srcY == 0) {
      p.destY = p.destY - hr + tileHeight;
      p.height = p.height + hr - tileHeight;
    }
  }
  return Limit(p, w, h);
}
