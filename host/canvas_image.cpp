// The image calls: pictures from resource packages and BMP files drawn
// opaque or through their monochrome mask.

#include "host/canvas.h"
#include "host/canvas_target.h"

namespace {

constexpr int32_t kOpaque = 0;
constexpr int32_t kTransparent = 1;
constexpr int32_t kRopAnd = 1;
constexpr int32_t kRopOr = 2;

// The memory context an image's bitmaps are selected into for a blit: one
// per thread, made on first use and freed with the thread, so an image call
// makes no context of its own.
struct OwnedDc {
  plat::HDC dc = plat::CreateCompatibleDC(TargetDc(nullptr));
  ~OwnedDc() { plat::DeleteDC(dc); }
};

// Lends the context for one call; its own bitmap goes back in at the end, so
// no image stays selected and every image can be freed.
class ImageDc {
 public:
  ImageDc() {
    thread_local OwnedDc owned;
    dc_ = owned.dc;
  }
  ~ImageDc() {
    if (previous_) plat::SelectObject(dc_, previous_);
  }
  ImageDc(const ImageDc&) = delete;
  ImageDc& operator=(const ImageDc&) = delete;

  plat::HDC Holding(plat::HBITMAP bitmap) {
    plat::HBITMAP old = plat::SelectObject(dc_, bitmap);
    if (!previous_ && old != bitmap) previous_ = old;
    return dc_;
  }

 private:
  plat::HDC dc_;
  plat::HBITMAP previous_ = nullptr;
};

bool BitmapSize(plat::HBITMAP bitmap, int32_t* width, int32_t* height) {
  plat::BITMAP info;
  if (!bitmap || !plat::GetObjectA(bitmap, sizeof info, &info)) return false;
  *width = info.bmWidth;
  *height = info.bmHeight;
  return true;
}

}  // namespace

void DrawImage(int16_t x, int16_t y, int16_t w, int16_t h, int16_t sx, int16_t sy, ImageRef image,
               Canvas* c, int32_t mode) {
  if (!image.bitmap) return;
  if (mode == kTransparent && !image.mask) return;
  plat::HDC target = TargetDc(c);
  ImageDc source;
  if (mode == kOpaque) {
    plat::BitBlt(target, x, y, w, h, source.Holding(image.bitmap), sx, sy, plat::SRCCOPY);
  } else if (mode == kTransparent) {
    // Mask: white keeps the target, black punches a hole; the image's key
    // pixels were made black at load time, so OR fills only the holes.
    ScopedMonoColors colors(target);
    plat::BitBlt(target, x, y, w, h, source.Holding(image.mask), sx, sy, plat::SRCAND);
    plat::BitBlt(target, x, y, w, h, source.Holding(image.bitmap), sx, sy, plat::SRCPAINT);
  }
  FinishDrawing(c);
}

void DrawImageRop(int16_t x, int16_t y, int16_t w, int16_t h, int16_t sx, int16_t sy,
                  ImageRef image, Canvas* c, int32_t mode) {
  if (!image.bitmap) return;
  plat::HDC target = TargetDc(c);
  ImageDc source;
  {
    ScopedMonoColors colors(target);
    const plat::DWORD rop = mode == kRopAnd ? plat::SRCAND : mode == kRopOr ? plat::SRCPAINT : 0;
    if (rop) plat::BitBlt(target, x, y, w, h, source.Holding(image.bitmap), sx, sy, rop);
  }
  FinishDrawing(c);
}

void GetImageSize(int16_t* out, const ImageRef* image) {
  int32_t width = 0;
  int32_t height = 0;
  if (image) BitmapSize(image->bitmap, &width, &height);
  out[0] = int16_t(width);
  out[1] = int16_t(height);
}

int GetImageInfo(ImageRef image, int32_t* width, int32_t* height) {
  *width = 0;
  *height = 0;
  return BitmapSize(image.bitmap, width, height) ? 1 : 0;
}
