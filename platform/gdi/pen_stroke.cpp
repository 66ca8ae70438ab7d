#include "platform/gdi/pen_stroke.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace plat {

namespace {

// On and off run lengths of each style, starting with a dash; 0 ends a list.
struct StyleRuns {
  int runs[7];
};

StyleRuns RunsOf(int style) {
  switch (style) {
    case PS_DASH: return {{18, 6, 0}};
    case PS_DOT: return {{3, 3, 0}};
    case PS_DASHDOT: return {{9, 6, 3, 6, 0}};
    case PS_DASHDOTDOT: return {{9, 3, 3, 3, 3, 3, 0}};
    default: return {{1, 0}};
  }
}

}  // namespace

PenStroke::PenStroke(DC& dc)
    : bitmap_(*dc.bitmap),
      pen_(InkFor(*dc.bitmap, dc.pen->color, dc.bkColor)),
      gap_(InkFor(*dc.bitmap, dc.bkColor, dc.bkColor)),
      visible_(dc.pen->style != PS_NULL),
      paintGaps_(dc.bkMode == OPAQUE) {
  period_ = 0;
  bool on = true;
  const StyleRuns style = RunsOf(dc.pen->style);
  for (const int* run = style.runs; *run != 0; ++run) {
    std::fill_n(pattern_.begin() + period_, *run, on);
    period_ += *run;
    on = !on;
  }
}

void PenStroke::PlotAt(int x, int y, int step) {
  if (pattern_[std::size_t(step % period_)]) {
    PlotPixel(bitmap_, x, y, pen_);
  } else if (paintGaps_) {
    PlotPixel(bitmap_, x, y, gap_);
  }
}

void PenStroke::Plot(int x, int y) {
  if (visible_) PlotAt(x, y, position_);
  position_ = (position_ + 1) % period_;
}

void PenStroke::Segment(int x0, int y0, int x1, int y1) {
  const std::int64_t dx = std::int64_t(x1) - x0;
  const std::int64_t dy = std::int64_t(y1) - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
  const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  if (major == 0) return;
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  // A step towards the smaller minor coordinate is taken on an exact tie.
  const std::int64_t bias = minorStep < 0 ? 1 : 0;
  const std::int64_t majorStart = xMajor ? x0 : y0;
  const std::int64_t minorStart = xMajor ? y0 : x0;
  const std::int64_t majorSize = xMajor ? bitmap_.width() : bitmap_.height();
  const std::int64_t minorSize = xMajor ? bitmap_.height() : bitmap_.width();

  // Only the steps whose major coordinate lies on the bitmap are walked.
  std::int64_t first = 0, last = major;  // [first, last)
  if (majorStep > 0) {
    first = std::max<std::int64_t>(first, -majorStart);
    last = std::min<std::int64_t>(last, majorSize - majorStart);
  } else {
    first = std::max<std::int64_t>(first, majorStart - (majorSize - 1));
    last = std::min<std::int64_t>(last, majorStart + 1);
  }
  if (visible_) {
    for (std::int64_t i = first; i < last; ++i) {
      // Minor steps taken before step i, in closed form of the error term.
      // (128-bit: coordinates span up to 2^32, so the product needs 66 bits.)
      const auto m = std::int64_t((__int128(2) * minor * i + major - 1 + bias) / (2 * major));
      const std::int64_t a = majorStart + majorStep * i;
      const std::int64_t b = minorStart + minorStep * m;
      if (b < 0 || b >= minorSize) continue;
      const int x = int(xMajor ? a : b);
      const int y = int(xMajor ? b : a);
      PlotAt(x, y, int((position_ + i) % period_));
    }
  }
  position_ = int((position_ + major) % period_);
}

}  // namespace plat
