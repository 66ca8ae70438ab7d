// Bitmaps from BMP file images, in memory or in files, and their masks.

#include <cstdio>
#include <span>
#include <vector>

#include "host/canvas.h"
#include "host/res.h"
#include "host/res_package.h"
#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/gdi.h"
#include "platform/sys/file.h"

namespace {

constexpr int32_t kPlain = 0;
constexpr int32_t kKeyed = 1;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Larger files cannot hold a picture the decoder accepts.
constexpr long kMaxBmpFileSize = 1L << 28;

bool StartsWithBm(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  return data && size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

void ClearImage(ImageRef* out) {
  out->flags = 0;
  out->bitmap = nullptr;
  out->mask = nullptr;
}

// Stores the bitmap, keyed or plain, in `out`; deletes it on failure.
int StoreImage(ImageRef* out, plat::HBITMAP bitmap, int32_t mode) {
  plat::HBITMAP mask = nullptr;
  if (mode == kKeyed) {
    mask = MakeMask(bitmap, kKeyColor);
    if (!mask) {
      plat::DeleteObject(bitmap);
      return 0;
    }
  }
  out->bitmap = bitmap;
  out->mask = mask;
  out->flags = kImageLoaded | (mask ? kImageMasked : 0);
  return 1;
}

// The whole of a BMP file after checking its two headers, as the platform's
// loader would read it; empty on any failure.
std::vector<uint8_t> ReadBmpBytes(const char* path) {
  std::FILE* file = plat::OpenFile(path, "rb");
  if (!file) return {};
  std::vector<uint8_t> bytes(kFileHeaderSize + kInfoHeaderSize);
  bool ok = std::fread(bytes.data(), kFileHeaderSize, 1, file) == 1 &&
            StartsWithBm(bytes.data(), kFileHeaderSize) &&
            std::fread(bytes.data() + kFileHeaderSize, kInfoHeaderSize, 1, file) == 1;
  long size = 0;
  ok = ok && std::fseek(file, 0, SEEK_END) == 0 && (size = std::ftell(file)) > 0 &&
       size <= kMaxBmpFileSize && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(std::size_t(size));
    ok = std::fread(bytes.data(), bytes.size(), 1, file) == 1;
  }
  std::fclose(file);
  return ok ? bytes : std::vector<uint8_t>{};
}

}  // namespace

plat::HBITMAP MakeMask(plat::HBITMAP bitmap, plat::COLORREF keyColor) {
  plat::BITMAP info;
  if (!bitmap || !plat::GetObjectA(bitmap, sizeof info, &info)) return nullptr;
  plat::HBITMAP mask = plat::CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
  if (!mask) return nullptr;
  plat::HDC colorDc = plat::CreateCompatibleDC(nullptr);
  plat::HDC maskDc = plat::CreateCompatibleDC(nullptr);
  if (colorDc && maskDc && plat::SelectObject(colorDc, bitmap) &&
      plat::SelectObject(maskDc, mask)) {
    // Colour to mono: pixels equal to the back colour give 1.
    plat::SetBkColor(colorDc, keyColor);
    plat::BitBlt(maskDc, 0, 0, info.bmWidth, info.bmHeight, colorDc, 0, 0, plat::SRCCOPY);
    // Mono to colour: 1 becomes the key (back colour), 0 black (text colour),
    // so XOR turns the key pixels black and leaves the others.
    plat::BitBlt(colorDc, 0, 0, info.bmWidth, info.bmHeight, maskDc, 0, 0, plat::SRCINVERT);
  } else {
    plat::DeleteDC(colorDc);
    plat::DeleteDC(maskDc);
    plat::DeleteObject(mask);
    return nullptr;
  }
  plat::DeleteDC(colorDc);
  plat::DeleteDC(maskDc);
  return mask;
}

plat::HBITMAP BitmapFromPackedBmp(const void* data, std::size_t size) {
  if (!StartsWithBm(data, size)) return nullptr;
  const auto image = plat::DecodeBmp(std::span(static_cast<const uint8_t*>(data), size));
  return image ? plat::CreateBitmapFromImage(*image) : nullptr;
}

int ImageFromPackedBmp(ImageRef* out, const void* data, std::size_t size, int32_t mode) {
  ClearImage(out);
  if (!StartsWithBm(data, size) || (mode != kPlain && mode != kKeyed)) return 0;
  plat::HBITMAP bitmap = BitmapFromPackedBmp(data, size);
  if (!bitmap || !StoreImage(out, bitmap, mode)) return 0;
  int16_t dimensions[2];
  GetImageSize(dimensions, out);
  out->width = dimensions[0];
  out->height = dimensions[1];
  return 1;
}

int LoadBmpFile(ImageRef* out, const char* path, int32_t mode) {
  ClearImage(out);
  if (mode != kPlain && mode != kKeyed) return 0;
  const std::vector<uint8_t> bytes = ReadBmpBytes(path);
  if (bytes.empty()) return 0;
  plat::HBITMAP bitmap = BitmapFromPackedBmp(bytes.data(), bytes.size());
  if (!bitmap) return 0;
  return StoreImage(out, bitmap, mode);
}

void ImageFree(ImageRef* image) {
  if (!image) return;
  if (image->bitmap) {
    if (IsPackageBitmap(image->bitmap) || !plat::DeleteObject(image->bitmap)) return;
    image->bitmap = nullptr;
  }
  if (image->mask && !IsPackageBitmap(image->mask) && plat::DeleteObject(image->mask)) {
    image->mask = nullptr;
  }
}
