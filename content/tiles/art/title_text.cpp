// Text on a picture through the platform's fonts, as the device draws it.

#include <cstring>

#include "content/tiles/art/tiles_art.h"
#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text.h"

namespace tiles_art {

bool DrawTitle(plat::Image& img, const char* text, int x, int y, int height, art::Rgb colour,
               std::string& error) {
  plat::HFONT font = plat::CreateFontA(height, 0, 0, 0, plat::FW_BOLD, 0, 0, 0, plat::GB2312_CHARSET,
                                       0, 0, 0, 0, "黑体");
  if (!font) {
    error = plat::LastFontError();
    return false;
  }
  plat::HBITMAP bitmap = plat::CreateBitmapFromImage(img);
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  plat::SelectObject(dc, bitmap);
  plat::SelectObject(dc, plat::HGDIOBJ(font));
  plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::SetTextColor(dc, plat::RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF));
  plat::TextOutA(dc, x, y, text, int(std::strlen(text)));
  plat::DeleteDC(dc);
  img = plat::ImageFromBitmap(*bitmap);
  plat::DeleteObject(bitmap);
  plat::DeleteObject(font);
  return true;
}

}  // namespace tiles_art
