// Picture gadgets: a "STATIC" control that shows a bitmap or icon at its own size and
// reports clicks, double clicks and drag starts. It keeps its own copy of what it is given,
// so the caller may free or replace the image at once; a new picture of the same size is
// copied and painted only where it differs from the one shown. Depends on user32, gdi32
// and the bitmap utilities of the image library. Limitation: alpha pictures need AlphaBlend.
#include <climits>
#include <cstring>

#include "graphics/image.h"
#include "toolkit/events.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/gdi_count.h"
#include "toolkit/window.h"

// Record use: data1 the gadget's own copy (the handle shown), data2 its premultiplied copy
// for pictures with alpha, data3 1 while the left button is pressed, data4 the press point.

namespace {

WNDPROC g_staticClassProc;
bool g_rightDoubleClicked;  // swallows the button-up that follows a right double click

bool IsBitmap(intptr_t handle) { return handle && GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) == OBJ_BITMAP; }

void FreeCopy(intptr_t handle) {
  if (!handle) return;
  if (IsBitmap(handle)) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(handle));
    --g_gdiCounts.bitmaps;
  } else {
    DestroyIcon(reinterpret_cast<HICON>(handle));
    --g_gdiCounts.icons;
  }
}

void FreePremultiplied(GadgetRecord* r) {
  if (!r->data2) return;
  bitmap_premultiplied_free(reinterpret_cast<HBITMAP>(r->data2));
  --g_gdiCounts.bitmaps;
  r->data2 = 0;
}

// Copies the source's pixels into a bottom-up DIB section of the given depth and returns
// the rectangle (top-down, in pixels) whose pixels changed: rows that hold the same bytes
// already are left as they are. A source that is no DIB section of that layout is copied
// whole and counts as changed everywhere.
RECT CopyPixels(HBITMAP source, const BITMAP& bm, int32_t depth, unsigned char* bits) {
  RECT changed{0, 0, bm.bmWidth, bm.bmHeight};
  DIBSECTION ds;
  GdiFlush();
  if (GetObjectA(source, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits && ds.dsBmih.biBitCount == depth &&
      ds.dsBmih.biHeight > 0 && ds.dsBmih.biCompression == BI_RGB) {
    const size_t stride = size_t(dib_stride(bm.bmWidth, depth)), pixel = size_t(depth / 8);
    const auto* from = static_cast<const unsigned char*>(ds.dsBm.bmBits);
    size_t first = stride, last = 0;  // byte columns that changed, over all rows
    changed = {bm.bmWidth, bm.bmHeight, 0, 0};
    for (int32_t row = 0; row < bm.bmHeight; ++row) {
      const unsigned char* a = from + size_t(row) * stride;
      unsigned char* b = bits + size_t(row) * stride;
      if (std::memcmp(a, b, stride) == 0) continue;
      size_t lo = 0, hi = stride;
      while (a[lo] == b[lo]) ++lo;
      while (a[hi - 1] == b[hi - 1]) --hi;
      first = lo < first ? lo : first;
      last = hi > last ? hi : last;
      std::memcpy(b + lo, a + lo, hi - lo);
      int32_t y = bm.bmHeight - 1 - row;  // bottom-up rows
      changed.top = y < changed.top ? y : changed.top;
      changed.bottom = y + 1 > changed.bottom ? y + 1 : changed.bottom;
    }
    if (last > first) {
      changed.left = LONG(first / pixel);
      changed.right = LONG((last + pixel - 1) / pixel);
      if (changed.right > bm.bmWidth) changed.right = bm.bmWidth;
    }
    return changed;
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, WORD(depth), BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc) {
    GetDIBits(dc, source, 0, UINT(bm.bmHeight), bits, &info, DIB_RGB_COLORS);
    DeleteDC(dc);
  }
  return changed;
}

// The gadget's copy of a bitmap: the previous copy when size and depth match (only the
// pixels that differ are copied then, and *changed says where), else a new DIB section.
intptr_t CopyBitmap(GadgetRecord* r, HBITMAP source, RECT* changed) {
  BITMAP bm;
  if (!GetObjectA(source, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return 0;
  int32_t depth = bm.bmBitsPixel == 32 ? 32 : 24;
  DIBSECTION mine;
  if (IsBitmap(r->data1) && GetObjectA(reinterpret_cast<HBITMAP>(r->data1), sizeof mine, &mine) == sizeof mine &&
      mine.dsBm.bmWidth == bm.bmWidth && mine.dsBm.bmHeight == bm.bmHeight && mine.dsBmih.biBitCount == depth) {
    *changed = CopyPixels(source, bm, depth, static_cast<unsigned char*>(mine.dsBm.bmBits));
    return r->data1;
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, WORD(depth), BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!copy) return 0;
  ++g_gdiCounts.bitmaps;
  CopyPixels(source, bm, depth, static_cast<unsigned char*>(bits));
  return reinterpret_cast<intptr_t>(copy);
}

// Replaces what the gadget shows with its own copy of handle (0 shows nothing); *changed
// is the part of the picture that may look different now (nothing when the copy took the
// same pixels into the same bitmap).
void TakeImage(GadgetRecord* r, HANDLE handle, RECT* changed) {
  FreePremultiplied(r);
  SetRect(changed, 0, 0, SHRT_MAX, SHRT_MAX);
  intptr_t copy = 0;
  if (handle && reinterpret_cast<intptr_t>(handle) == r->data1) {
    copy = r->data1;
  } else if (handle && GetObjectType(handle) == OBJ_BITMAP) {
    copy = CopyBitmap(r, static_cast<HBITMAP>(handle), changed);
  } else if (handle) {
    HICON icon = CopyIcon(static_cast<HICON>(handle));
    if (icon) ++g_gdiCounts.icons;
    copy = reinterpret_cast<intptr_t>(icon);
  }
  if (r->data1 != copy) FreeCopy(r->data1);
  r->data1 = copy;
  if (IsBitmap(copy) && bitmap_has_alpha(reinterpret_cast<HBITMAP>(copy))) {
    r->data2 = reinterpret_cast<intptr_t>(bitmap_premultiplied(reinterpret_cast<HBITMAP>(copy), nullptr));
    if (r->data2) ++g_gdiCounts.bitmaps;
  }
}

// Redraws what lies beneath the control, so transparent parts show it.
void RefreshBehind(GadgetRecord* r) {
  if (IsBitmap(r->data1) && !r->data2) return;
  HWND top = window_top(r->hwnd);
  if (!top) return;
  RECT rect;
  GetWindowRect(r->hwnd, &rect);
  MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
  RedrawWindow(top, &rect, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

SIZE ImageSize(intptr_t handle) {
  BITMAP bm{};
  if (IsBitmap(handle)) {
    GetObjectA(reinterpret_cast<HGDIOBJ>(handle), sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight};
  }
  ICONINFO ii{};
  if (!GetIconInfo(reinterpret_cast<HICON>(handle), &ii)) return {0, 0};
  HBITMAP shape = ii.hbmColor ? ii.hbmColor : ii.hbmMask;
  GetObjectA(shape, sizeof bm, &bm);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  return {bm.bmWidth, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

void Draw(GadgetRecord* r, HDC dc) {
  if (!r->data1) return;
  if (r->data2) {
    bitmap_alpha_draw(dc, 0, 0, 0, 0, reinterpret_cast<HBITMAP>(r->data2), nullptr, 255);
    return;
  }
  UINT type = IsBitmap(r->data1) ? DST_BITMAP : DST_ICON;
  DrawStateA(dc, nullptr, nullptr, r->data1, 0, 0, 0, 0, 0, type);
}

LRESULT SetImage(GadgetRecord* r, LPARAM lParam) {
  RECT changed;
  TakeImage(r, reinterpret_cast<HANDLE>(lParam), &changed);
  RefreshBehind(r);
  if (r->data1) {
    SIZE size = ImageSize(r->data1);
    int32_t d = (GetWindowLongPtrA(r->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 4 : 0;
    RECT now;
    GetWindowRect(r->hwnd, &now);
    // Every refresh hands over a picture of the same size: leave the control alone then.
    if (now.right - now.left != size.cx + d || now.bottom - now.top != size.cy + d)
      SetWindowPos(r->hwnd, nullptr, 0, 0, size.cx + d, size.cy + d, SWP_NOZORDER | SWP_NOMOVE);
    // Only what changed is painted again; the rest of the screen shows these pixels already.
    if (!r->data2 && !IsRectEmpty(&changed)) {
      InvalidateRect(r->hwnd, &changed, FALSE);
      UpdateWindow(r->hwnd);
    }
  }
  return lParam;
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetRecord* r = gadget_record_of(hwnd);
  if (!r) return CallWindowProcA(g_staticClassProc, hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Draw(r, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT:
      Draw(r, reinterpret_cast<HDC>(wParam));
      return 0;
    case STM_SETIMAGE:
    case STM_SETICON:
      return SetImage(r, lParam);
    case STM_GETIMAGE:
    case STM_GETICON:
      return r->data1;
    case WM_MOVE:
      RefreshBehind(r);
      break;
    case WM_ENABLE:
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      return 0;
    case WM_LBUTTONDOWN:
      r->data3 = 1;
      r->data4 = lParam & 0xFFFFFFFF;
      SetCapture(hwnd);
      break;
    case WM_MOUSEMOVE:
      if (r->data3 && gadget_outside_drag(lParam, r->data4)) {
        r->data3 = 0;
        ReleaseCapture();
        gadget_event_post(hwnd, GADGET_DRAG_STARTED);
      }
      break;
    case WM_LBUTTONUP:
      if (r->data3) {
        r->data3 = 0;
        ReleaseCapture();
      }
      break;
    case WM_CAPTURECHANGED:
      // A pop-up or Alt+Tab took the mouse: the press is over without a release.
      if (reinterpret_cast<HWND>(lParam) != hwnd) r->data3 = 0;
      break;
    case WM_LBUTTONDBLCLK:
      gadget_event_post(hwnd, GADGET_LEFT_DOUBLE_CLICK);
      return 0;
    case WM_RBUTTONUP:
      if (g_rightDoubleClicked) g_rightDoubleClicked = false;
      else gadget_event_post(hwnd, GADGET_RIGHT_CLICK);
      return 0;
    case WM_RBUTTONDBLCLK:
      gadget_event_post(hwnd, GADGET_RIGHT_DOUBLE_CLICK);
      g_rightDoubleClicked = true;
      return 0;
    default:
      break;
  }
  return CallWindowProcA(g_staticClassProc, hwnd, message, wParam, lParam);
}

void PictureFree(GadgetRecord* r) {
  FreePremultiplied(r);
  FreeCopy(r->data1);
  r->data1 = 0;
}

constexpr GadgetKind kPictureKind{
    .type = 9,
    .free_hook = PictureFree,
    .value_get = [](GadgetRecord* r) -> intptr_t { return SendMessageA(r->hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0); },
    .value_set = [](GadgetRecord* r, intptr_t v) { SendMessageA(r->hwnd, STM_SETIMAGE, IMAGE_BITMAP, v); },
};

}  // namespace

intptr_t image_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, HANDLE image,
                             int32_t extendedStyle) {
  gadget_drag_size();
  HWND control = gadget_control_create("STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_NOTIFY, DWORD(extendedStyle), x,
                                       y, width, height);
  if (!control) return 0;
  gadget_kind_subclass(control, PictureProc, &g_staticClassProc);
  GadgetRecord* record = gadget_record_for(number, control);
  if (!record) return 0;
  intptr_t result = gadget_register(number, record, control, &kPictureKind);
  kPictureKind.value_set(record, reinterpret_cast<intptr_t>(image));
  return result;
}
