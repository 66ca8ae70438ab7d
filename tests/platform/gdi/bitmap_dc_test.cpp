// Bitmaps, their layout, and the state and selections of memory DCs.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/gdi.h"

namespace plat {
namespace {

BITMAP InfoOf(HBITMAP bitmap) {
  BITMAP info;
  EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), int(sizeof info));
  return info;
}

TEST(BitmapTest, RowsArePaddedLikeTheirPlatform) {
  struct Case {
    int width, bpp, stride;
  } cases[] = {{1, 1, 2}, {16, 1, 2}, {17, 1, 4}, {0, 1, 0}, {3, 32, 12}, {320, 32, 1280}};
  for (const Case& c : cases) {
    HBITMAP bitmap = CreateBitmap(c.width, 5, 1, c.bpp, nullptr);
    ASSERT_NE(bitmap, nullptr);
    const BITMAP info = InfoOf(bitmap);
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, 5);
    EXPECT_EQ(info.bmWidthBytes, c.stride) << c.width << "x" << c.bpp;
    EXPECT_EQ(info.bmBitsPixel, c.bpp);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_EQ(DeleteObject(bitmap), 1);
  }
}

TEST(BitmapTest, RefusedSizesAndDepths) {
  EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, -1, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 2, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 8, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(kMaxBitmapSide + 1, 1, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(kMaxBitmapSide, kMaxBitmapSide, 1, 32, nullptr), nullptr);
  HBITMAP empty = CreateBitmap(0, 0, 1, 32, nullptr);
  ASSERT_NE(empty, nullptr);
  std::uint8_t byte = 0xAB;
  EXPECT_EQ(GetBitmapBits(empty, 1, &byte), 0);
  DeleteObject(empty);
  BITMAP info;
  EXPECT_EQ(GetObjectA(GetStockObject(BLACK_PEN), sizeof info, &info), 0);
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 32, nullptr);
  EXPECT_EQ(GetObjectA(bitmap, sizeof info - 1, &info), 0);
  DeleteObject(bitmap);
}

TEST(BitmapTest, BitsRoundTripTopRowFirst) {
  const std::uint8_t rows[] = {0x80, 0x01, 0x00, 0x00,  // row 0: x = 0 and x = 15 set
                               0x00, 0x00, 0x80, 0x00,  // row 1: x = 16 set
                               0xFF, 0xFF, 0xFF, 0xFF};
  HBITMAP mono = CreateBitmap(17, 3, 1, 1, rows);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, mono);
  EXPECT_EQ(GetPixel(dc, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc, 1, 0), 0u);
  EXPECT_EQ(GetPixel(dc, 15, 0), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc, 16, 1), 0xFFFFFFu);
  SetPixel(dc, 1, 2, 0);
  std::uint8_t out[12] = {};
  EXPECT_EQ(GetBitmapBits(mono, sizeof out, out), 12);
  EXPECT_EQ(out[8], 0xBF);
  EXPECT_EQ(GetBitmapBits(mono, 3, out), 3);  // a short buffer takes what fits
  DeleteDC(dc);
  DeleteObject(mono);

  const std::uint32_t words[] = {0x00102030, 0x00405060};
  HBITMAP colour = CreateBitmap(1, 2, 1, 32, words);
  std::uint8_t bytes[8];
  EXPECT_EQ(GetBitmapBits(colour, sizeof bytes, bytes), 8);
  const std::uint8_t expected[] = {0x30, 0x20, 0x10, 0, 0x60, 0x50, 0x40, 0};  // B, G, R, 0
  EXPECT_EQ(std::memcmp(bytes, expected, 8), 0);
  DeleteObject(colour);
}

TEST(DcTest, NewDcDefaults) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetTextColor(dc), 0x000000u);
  EXPECT_EQ(GetBkColor(dc), 0xFFFFFFu);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  const BITMAP info = InfoOf(static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteDC(dc);
}

TEST(DcTest, CompatibleBitmapTakesTheSelectedFormat) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP fromFresh = CreateCompatibleBitmap(dc, 8, 8);
  EXPECT_EQ(InfoOf(fromFresh).bmBitsPixel, 1);  // the classic pitfall
  HBITMAP display = CreateCompatibleBitmap(nullptr, 8, 8);
  EXPECT_EQ(InfoOf(display).bmBitsPixel, 32);
  SelectObject(dc, display);
  HBITMAP fromColour = CreateCompatibleBitmap(dc, 3, 2);
  EXPECT_EQ(InfoOf(fromColour).bmBitsPixel, 32);
  EXPECT_EQ(InfoOf(fromColour).bmWidth, 3);
  DeleteDC(dc);
  for (HBITMAP b : {fromFresh, display, fromColour}) EXPECT_EQ(DeleteObject(b), 1);
}

TEST(DcTest, ColoursAndModesAnswerThePreviousValue) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetTextColor(dc, 0x123456), 0x000000u);
  EXPECT_EQ(SetTextColor(dc, 0), 0x123456u);
  EXPECT_EQ(SetBkColor(dc, 0xFF00FF), 0xFFFFFFu);
  EXPECT_EQ(GetBkColor(dc), 0xFF00FFu);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 3), 0);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(SetBkMode(nullptr, OPAQUE), 0);
  EXPECT_EQ(GetTextColor(nullptr), CLR_INVALID);
  DeleteDC(dc);
}

TEST(DcTest, SelectionsGuardDeletion) {
  HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  HBITMAP defaultBitmap = SelectObject(a, bitmap);
  ASSERT_NE(defaultBitmap, nullptr);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);  // one DC at a time
  EXPECT_EQ(DeleteObject(bitmap), 0);           // still selected
  EXPECT_EQ(SelectObject(b, defaultBitmap), nullptr);  // a's own, dies with a
  EXPECT_EQ(SelectObject(a, defaultBitmap), bitmap);
  EXPECT_NE(SelectObject(b, bitmap), nullptr);

  HPEN pen = CreatePen(PS_DASH, 1, 0x0000FF);
  HPEN oldPen = SelectObject(a, pen);
  EXPECT_EQ(SelectObject(b, pen), GetStockObject(BLACK_PEN));  // pens may be shared
  EXPECT_EQ(DeleteObject(pen), 0);
  SelectObject(a, oldPen);
  EXPECT_EQ(DeleteObject(pen), 0);
  DeleteDC(b);  // releases the bitmap and the pen
  EXPECT_EQ(DeleteObject(pen), 1);
  EXPECT_EQ(DeleteObject(bitmap), 1);
  DeleteDC(a);

  EXPECT_EQ(DeleteObject(GetStockObject(NULL_BRUSH)), 1);  // stock objects stay
  EXPECT_EQ(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))->style, BS_NULL);
  EXPECT_EQ(DeleteObject(nullptr), 0);
  EXPECT_EQ(DeleteDC(nullptr), 0);
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(DcTest, PenAndBrushCreation) {
  HPEN odd = CreatePen(42, 3, 0x010203);
  EXPECT_EQ(odd->style, PS_SOLID);
  EXPECT_EQ(odd->color, 0x010203u);
  HBRUSH brush = CreateSolidBrush(0x0A0B0C);
  EXPECT_EQ(brush->style, BS_SOLID);
  EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
  EXPECT_EQ(GetObjectType(odd), OBJ_PEN);
  DeleteObject(odd);
  DeleteObject(brush);
}

}  // namespace
}  // namespace plat
