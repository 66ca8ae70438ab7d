#include "content/numgrid/art/art_kit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "platform/gdi/font.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/text.h"

namespace numgrid_art {

namespace {

// Text is set this many times larger, then averaged down.
constexpr int kSuper = 4;

// How much of the pixel at (px, py) lies inside the rounded box: the
// distance from its centre to the box's core, less the radius.
double RoundedCoverage(int px, int py, Rect box, double r) {
  const double x = px + 0.5, y = py + 0.5;
  const double cx = std::clamp(x, box.x + r, box.x + box.w - r);
  const double cy = std::clamp(y, box.y + r, box.y + box.h - r);
  return std::clamp(0.5 - (std::hypot(x - cx, y - cy) - r), 0.0, 1.0);
}

// The text set in white on black at `height`, as a mask of the large setting.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<bool> on;
};

Mask RenderMask(const char* text, int height) {
  static const char kHei[] = "黑体";
  plat::HFONT font = plat::CreateFontA(height, 0, 0, 0, plat::FW_BOLD, 0, 0, 0,
                                       plat::GB2312_CHARSET, 0, 0, 0, 0, kHei);
  if (!font) throw std::runtime_error("the Hei font cannot be loaded: " + plat::LastFontError());
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  plat::SelectObject(dc, plat::HGDIOBJ(font));
  const int length = int(std::strlen(text));
  plat::SIZE size{};
  plat::GetTextExtentPoint32A(dc, text, length, &size);
  plat::HBITMAP bitmap = plat::CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
  plat::SelectObject(dc, bitmap);
  plat::SetTextColor(dc, 0xFFFFFF);
  plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::TextOutA(dc, 0, 0, text, length);
  Mask mask{size.cx, size.cy, std::vector<bool>(std::size_t(size.cx) * size.cy)};
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x)
      mask.on[std::size_t(y) * size.cx + x] = bitmap->row32(y)[x] != 0;
  }
  plat::DeleteDC(dc);
  plat::DeleteObject(plat::HGDIOBJ(bitmap));
  plat::DeleteObject(plat::HGDIOBJ(font));
  return mask;
}

// Every stroke widened to the right by `bold` pixels.
void Embolden(Mask& mask, int bold) {
  for (int y = 0; y < mask.height; ++y) {
    for (int x = mask.width - 1; x >= 0; --x) {
      for (int k = 1; k <= bold && x - k >= 0; ++k) {
        if (mask.on[std::size_t(y) * mask.width + x - k])
          mask.on[std::size_t(y) * mask.width + x] = true;
      }
    }
  }
}

}  // namespace

void RoundedBox(plat::Image& img, Rect box, double r, Rgb top, Rgb bottom, double opacity) {
  for (int y = box.y; y < box.y + box.h; ++y) {
    const Rgb colour = art::Mix(top, bottom, box.h > 1 ? double(y - box.y) / (box.h - 1) : 0);
    for (int x = box.x; x < box.x + box.w; ++x) {
      art::Blend(img, x, y, colour, RoundedCoverage(x, y, box, r) * opacity);
    }
  }
}

void FramedBox(plat::Image& img, Rect box, double r, Rgb edge, Rgb top, Rgb bottom) {
  RoundedBox(img, box, r, edge, edge);
  RoundedBox(img, {box.x + 1, box.y + 1, box.w - 2, box.h - 2}, std::max(r - 1, 0.0), top, bottom);
}

Coverage TextCoverage(const char* text, int height, int bold) {
  Mask mask = RenderMask(text, height * kSuper);
  Embolden(mask, bold);
  int left = mask.width, right = -1, top = mask.height, bottom = -1;
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      if (!mask.on[std::size_t(y) * mask.width + x]) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  // Whole output pixels round the ink.
  left -= left % kSuper, top -= top % kSuper;
  Coverage out;
  out.width = (right - left) / kSuper + 1;
  out.height = (bottom - top) / kSuper + 1;
  out.alpha.assign(std::size_t(out.width) * out.height, 0.0);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (mask.on[std::size_t(y) * mask.width + x]) {
        out.alpha[std::size_t((y - top) / kSuper) * out.width + (x - left) / kSuper] +=
            1.0 / (kSuper * kSuper);
      }
    }
  }
  return out;
}

void DrawCoverage(plat::Image& img, const Coverage& text, int x, int y, Rgb colour) {
  for (int j = 0; j < text.height; ++j) {
    for (int i = 0; i < text.width; ++i) art::Blend(img, x + i, y + j, colour, text.at(i, j));
  }
}

void DrawLabel(plat::Image& img, const char* text, double cx, double cy, int height, Rgb colour,
               int bold) {
  const Coverage ink = TextCoverage(text, height, bold);
  DrawCoverage(img, ink, int(std::lround(cx - ink.width / 2.0)),
               int(std::lround(cy - ink.height / 2.0)), colour);
}

plat::Image Crop(const plat::Image& img, Rect area) {
  plat::Image out = Blank(area.w, area.h, 0);
  for (int y = 0; y < area.h; ++y) {
    for (int x = 0; x < area.w; ++x) out.at(x, y) = img.at(area.x + x, area.y + y);
  }
  return out;
}

plat::Image Blank(int width, int height, Rgb colour) {
  return plat::Image{width, height,
                     std::vector<std::uint32_t>(std::size_t(width) * height, colour)};
}

}  // namespace numgrid_art
