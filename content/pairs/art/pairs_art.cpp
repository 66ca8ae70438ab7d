#include "content/pairs/art/pairs_art.h"

#include "AppEntry/art/paint.h"
#include "content/pairs/art/motifs.h"

namespace pairs_art {
namespace {

constexpr art::Rgb kCream = 0xFBF4E2;
constexpr art::Rgb kEdge = 0x6A5A40;
constexpr art::Rgb kBackDark = 0x1F3A78;
constexpr art::Rgb kBackLight = 0x3F6BC0;
constexpr art::Rgb kBackLine = 0xE8C860;
constexpr int kSamples = 4;  // per axis, for the motifs' anti-aliased edges

// A rounded frame: the card's edge colour round `inside`.
plat::Image Blank(art::Rgb inside) {
  plat::Image card{kCardSize, kCardSize, {}};
  card.pixels.assign(std::size_t(kCardSize) * kCardSize, kEdge);
  art::FillRect(card, 1, 1, kCardSize - 2, kCardSize - 2, inside);
  for (int corner : {0, kCardSize - 1}) {
    card.at(corner, 0) = card.at(corner, kCardSize - 1) = 0xFFFFFF;
  }
  return card;
}

// A lattice of gold diamonds over a blue gradient.
plat::Image PaintBack() {
  plat::Image card = Blank(kBackDark);
  for (int y = 2; y < kCardSize - 2; ++y) {
    for (int x = 2; x < kCardSize - 2; ++x) {
      const bool line = (x + y) % 8 == 0 || (x - y + 64) % 8 == 0;
      card.at(x, y) = line ? kBackLine : art::Mix(kBackDark, kBackLight, double(y) / kCardSize);
    }
  }
  return card;
}

plat::Image PaintFace(const Motif& motif) {
  plat::Image card = Blank(kCream);
  const double half = (kCardSize - 6) / 2.0;
  for (int y = 3; y < kCardSize - 3; ++y) {
    for (int x = 3; x < kCardSize - 3; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = (x - 3 + (sx + 0.5) / kSamples) / half - 1;
          const double v = (y - 3 + (sy + 0.5) / kSamples) / half - 1;
          hits += motif.inside(u, v) ? 1 : 0;
        }
      }
      art::Blend(card, x, y, motif.colour, double(hits) / (kSamples * kSamples));
    }
  }
  return card;
}

}  // namespace

plat::Image PaintCard(int picture) {
  return picture == 0 ? PaintBack() : PaintFace(MotifOf(picture));
}

}  // namespace pairs_art
