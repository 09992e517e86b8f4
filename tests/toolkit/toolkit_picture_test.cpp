// The picture gadget: its size from the image, its own copy of what it is handed (so the
// caller may free the image at once), reuse of that copy, the screen following a picture
// that changes in places, and its mouse events.
#include "graphics/image.h"
#include "tests/toolkit/toolkit_fixture.h"
#include "tests/wine_only.h"
#include "toolkit/gdi_count.h"

namespace {

using Picture = ToolkitTest;

// Image number fills a fresh 300 x 186 image with one colour (0xRRGGBB as BGR bytes).
HBITMAP MakeImage(ObjectId number, uint32_t rgb, int32_t width = 300, int32_t height = 186) {
  image_create(number, width, height, 24);
  auto bitmap = static_cast<HBITMAP>(image_handle(number));
  DIBSECTION ds;
  GetObjectA(bitmap, sizeof ds, &ds);
  auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* p = bits + y * ds.dsBm.bmWidthBytes + x * 3;
      p[0] = uint8_t(rgb);
      p[1] = uint8_t(rgb >> 8);
      p[2] = uint8_t(rgb >> 16);
    }
  return bitmap;
}

// What the control paints at (x, y) of its client area, as 0xRRGGBB.
uint32_t PaintedAt(HWND control, int32_t x, int32_t y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 400, 300);
  HGDIOBJ old = SelectObject(dc, target);
  RECT all{0, 0, 400, 300};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST_F(Picture, MeasuresImagePlusBorderAndKeepsSizeForImageZero) {
  HBITMAP image = MakeImage(101, 0x336699);
  auto control = reinterpret_cast<HWND>(image_gadget_create(34, 311, 1, 10, 10, image, 512));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE), 0x50000100);
  EXPECT_EQ(WindowSize(control).cx, 304);
  EXPECT_EQ(WindowSize(control).cy, 190);
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 311);
  EXPECT_EQ(r.top, 1);

  gadget_state_set(34, 0);
  EXPECT_EQ(gadget_state_get(34), 0);
  EXPECT_EQ(WindowSize(control).cx, 304);
  EXPECT_EQ(WindowSize(control).cy, 190);

  auto plain = reinterpret_cast<HWND>(image_gadget_create(35, 0, 0, 10, 10, image, 0));
  EXPECT_EQ(WindowSize(plain).cx, 300);
  EXPECT_EQ(WindowSize(plain).cy, 186);
  image_free(101);
}

TEST_F(Picture, KeepsShowingAFreedImageAndReusesItsCopy) {
  int32_t bitmaps = g_gdiCounts.bitmaps;
  HBITMAP red = MakeImage(101, 0xFF0000);
  auto control = reinterpret_cast<HWND>(image_gadget_create(34, 311, 1, 300, 186, red, 512));
  image_free(101);  // the program replaces its display image right after each hand-over
  EXPECT_EQ(PaintedAt(control, 10, 10), 0xFF0000u);
  auto copy = gadget_state_get(34);
  EXPECT_NE(copy, 0);
  EXPECT_NE(copy, reinterpret_cast<intptr_t>(red));
  EXPECT_EQ(g_gdiCounts.bitmaps, bitmaps + 1);

  for (uint32_t colour : {0x00FF00u, 0x0000FFu, 0x808080u}) {
    HBITMAP next = MakeImage(101, colour);
    gadget_state_set(34, reinterpret_cast<intptr_t>(next));
    image_free(101);
    EXPECT_EQ(PaintedAt(control, 100, 100), colour);
    EXPECT_EQ(gadget_state_get(34), copy);  // same size and depth: only the pixels moved
  }
  EXPECT_EQ(g_gdiCounts.bitmaps, bitmaps + 1);

  HBITMAP smaller = MakeImage(101, 0xFFFFFF, 50, 40);
  gadget_state_set(34, reinterpret_cast<intptr_t>(smaller));
  image_free(101);
  EXPECT_EQ(WindowSize(control).cx, 54);
  EXPECT_EQ(PaintedAt(control, 5, 5), 0xFFFFFFu);
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(copy)), 0u);  // the old copy is deleted
  EXPECT_EQ(g_gdiCounts.bitmaps, bitmaps + 1);

  gadget_free(34);
  EXPECT_EQ(g_gdiCounts.bitmaps, bitmaps);
}

// What the screen shows at (x, y) of the control's client area, as 0xRRGGBB.
uint32_t OnScreenAt(HWND control, int32_t x, int32_t y) {
  HDC dc = GetDC(control);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(control, dc);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST_F(Picture, APictureThatChangesInPlacesIsOnTheScreenInFull) {
  VLMR_WINE_ONLY("reads the pixels of a window on the screen");
  MakeImage(101, 0x808080);
  auto control = reinterpret_cast<HWND>(image_gadget_create(34, 311, 1, 300, 186, image_handle(101), 512));
  UpdateWindow(main_);
  // Small changes at the corners and in the middle, one after another; each picture the
  // gadget is given differs from the last in that spot only.
  struct Spot {
    int32_t x, y;
  };
  for (Spot spot : {Spot{0, 0}, Spot{299, 185}, Spot{150, 90}, Spot{299, 0}, Spot{0, 185}}) {
    SCOPED_TRACE(testing::Message() << "spot " << spot.x << ", " << spot.y);
    HBITMAP next = MakeImage(101, 0x808080);
    DIBSECTION ds;
    GetObjectA(next, sizeof ds, &ds);
    uint8_t* p = static_cast<uint8_t*>(ds.dsBm.bmBits) + (185 - spot.y) * ds.dsBm.bmWidthBytes + spot.x * 3;
    p[0] = 0xFF;  // blue
    gadget_state_set(34, reinterpret_cast<intptr_t>(next));
    EXPECT_EQ(OnScreenAt(control, spot.x, spot.y), 0x8080FFu);
    EXPECT_EQ(OnScreenAt(control, 150, 45), 0x808080u);
    for (Spot other : {Spot{0, 0}, Spot{299, 185}, Spot{150, 90}}) {
      bool here = other.x == spot.x && other.y == spot.y;
      EXPECT_EQ(OnScreenAt(control, other.x, other.y), here ? 0x8080FFu : 0x808080u);
    }
  }
  image_free(101);
}

TEST_F(Picture, ImagesWithAlphaGetAPremultipliedCopy) {
  int32_t bitmaps = g_gdiCounts.bitmaps;
  image_create(102, 20, 10, 32);
  auto control = reinterpret_cast<HWND>(image_gadget_create(34, 0, 0, 1, 1, image_handle(102), 0));
  image_free(102);
  EXPECT_EQ(WindowSize(control).cx, 20);
  EXPECT_EQ(WindowSize(control).cy, 10);
  // Its own copy, and the premultiplied one when the system can blend.
  EXPECT_GE(g_gdiCounts.bitmaps, bitmaps + 1);
  gadget_free(34);
  EXPECT_EQ(g_gdiCounts.bitmaps, bitmaps);
}

TEST_F(Picture, MouseEvents) {
  HBITMAP image = MakeImage(101, 0x000000, 100, 100);
  auto control = reinterpret_cast<HWND>(image_gadget_create(34, 0, 0, 1, 1, image, 0));
  image_free(101);
  Drain();
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 11));
  EXPECT_EQ(GetCapture(), control);
  SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 10));
  SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
  std::vector<PolledEvent> events = Drain();
  EXPECT_TRUE(HasGadgetEvent(events, 34, GADGET_DRAG_STARTED));

  SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(HasGadgetEvent(Drain(), 34, GADGET_LEFT_DOUBLE_CLICK));

  SendMessageA(control, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  events = Drain();
  EXPECT_TRUE(HasGadgetEvent(events, 34, GADGET_RIGHT_DOUBLE_CLICK));
  EXPECT_FALSE(HasGadgetEvent(events, 34, GADGET_RIGHT_CLICK));
  SendMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(HasGadgetEvent(Drain(), 34, GADGET_RIGHT_CLICK));

  // A press cut short by a loss of capture is over: a later plain move starts no drag.
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SetCapture(main_);
  ReleaseCapture();
  SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
  EXPECT_FALSE(HasGadgetEvent(Drain(), 34, GADGET_DRAG_STARTED));
}

}  // namespace
