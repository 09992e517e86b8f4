// Bitmap utilities for 32-bit pictures with per-pixel alpha, used by the picture gadget and
// image lists: pixel access, alpha detection, premultiplied copies, AlphaBlend drawing and
// monochrome masks. Depends on gdi32 and AlphaBlend from image_display_init.
// Limitation: without AlphaBlend (msimg32 missing) nothing here blends.
#include "graphics/image.h"
#include "graphics/image_display.h"
#include "runtime/runtime.h"

namespace {

bool Describe(HBITMAP bitmap, BITMAP* bm) {
  return bitmap && GetObjectType(bitmap) == OBJ_BITMAP && GetObjectA(bitmap, sizeof *bm, bm) == sizeof *bm;
}

bool IsDibSection(HBITMAP bitmap) {
  DIBSECTION dib;
  return GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib;
}

BITMAPINFO Info32(int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

void* bitmap_pixels32(HBITMAP bitmap, int32_t* owned) {
  BITMAP bm;
  *owned = 0;
  if (!Describe(bitmap, &bm)) return nullptr;
  // Callers read 32-bit rows: a DIB section of another depth is copied like any bitmap.
  if (bm.bmBits && bm.bmBitsPixel == 32 && IsDibSection(bitmap)) return bm.bmBits;
  size_t bytes = size_t(4) * size_t(bm.bmWidth) * size_t(bm.bmHeight);
  void* buffer = bytes ? ObjectAlloc(bytes) : nullptr;
  if (!buffer) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = Info32(bm.bmWidth, bm.bmHeight);
  bool ok = dc && GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), buffer, &info, DIB_RGB_COLORS) == bm.bmHeight;
  if (dc) DeleteDC(dc);
  if (!ok) {
    ObjectFree(buffer);
    return nullptr;
  }
  *owned = 1;
  return buffer;
}

int32_t bitmap_has_alpha(HBITMAP bitmap) {
  BITMAP bm;
  if (!g_imageDisplay.alpha_blend || !Describe(bitmap, &bm)) return 0;
  if (IsDibSection(bitmap)) return bm.bmBitsPixel == 32;
  if (bm.bmBitsPixel != 32) return 0;
  int32_t owned;
  auto* pixels = static_cast<const uint32_t*>(bitmap_pixels32(bitmap, &owned));
  if (!pixels) return 0;
  int32_t found = 0;
  size_t count = size_t(bm.bmWidth) * size_t(bm.bmHeight);
  for (size_t i = 0; i < count && !found; ++i) found = pixels[i] > 0xFFFFFF;
  if (owned) ObjectFree(const_cast<uint32_t*>(pixels));
  return found;
}

HBITMAP bitmap_premultiplied(HBITMAP bitmap, HDC dc) {
  BITMAP bm;
  if (!g_imageDisplay.alpha_blend || !Describe(bitmap, &bm)) return nullptr;
  HDC useDc = dc ? dc : CreateCompatibleDC(nullptr);
  if (!useDc) return nullptr;
  BITMAPINFO info = Info32(bm.bmWidth, bm.bmHeight);
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(useDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (copy && GetDIBits(useDc, bitmap, 0, UINT(bm.bmHeight), bits, &info, DIB_RGB_COLORS) == bm.bmHeight) {
    auto* p = static_cast<uint8_t*>(bits);
    for (size_t i = 0, n = size_t(bm.bmWidth) * size_t(bm.bmHeight); i < n; ++i, p += 4) {
      uint32_t a = p[3];
      if (a == 255) continue;
      p[0] = uint8_t((p[0] * a) >> 8);
      p[1] = uint8_t((p[1] * a) >> 8);
      p[2] = uint8_t((p[2] * a) >> 8);
    }
  } else if (copy) {
    DeleteObject(copy);
    copy = nullptr;
  }
  if (!dc) DeleteDC(useDc);
  return copy;
}

void bitmap_premultiplied_free(HBITMAP bitmap) {
  if (g_imageDisplay.alpha_blend && bitmap) DeleteObject(bitmap);
}

void bitmap_alpha_draw(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, HBITMAP bitmap, HDC sourceDc,
                       int32_t alpha) {
  BITMAP bm;
  if (!g_imageDisplay.alpha_blend || !Describe(bitmap, &bm)) return;
  if (width == 0 || height == 0) {
    width = bm.bmWidth;
    height = bm.bmHeight;
  }
  HDC source = sourceDc ? sourceDc : CreateCompatibleDC(dc);
  if (!source) return;
  HGDIOBJ old = SelectObject(source, bitmap);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(alpha), AC_SRC_ALPHA};
  g_imageDisplay.alpha_blend(dc, x, y, width, height, source, 0, 0, width, height, blend);
  if (sourceDc) SelectObject(source, old);
  else DeleteDC(source);
}

HBITMAP bitmap_alpha_mask(HBITMAP bitmap) {
  BITMAP bm;
  if (!Describe(bitmap, &bm)) return nullptr;
  HBITMAP mask = CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
  if (!mask) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return mask;
  HGDIOBJ old = SelectObject(dc, mask);
  bool opaqueSeen = false;
  int32_t owned = 0;
  const uint8_t* pixels = nullptr;
  if (!g_imageDisplay.system_draws_alpha && bm.bmBitsPixel == 32)
    pixels = static_cast<const uint8_t*>(bitmap_pixels32(bitmap, &owned));
  if (pixels) {
    // Rows are bottom-up, as in every DIB section; the mask is addressed from the top.
    for (int32_t y = 0; y < bm.bmHeight; ++y) {
      const uint8_t* row = pixels + size_t(bm.bmHeight - 1 - y) * size_t(bm.bmWidth) * 4;
      for (int32_t x = 0; x < bm.bmWidth; ++x) {
        bool transparent = row[size_t(x) * 4 + 3] == 0;
        opaqueSeen = opaqueSeen || !transparent;
        SetPixel(dc, x, y, transparent ? 0xFFFFFF : 0);
      }
    }
    if (owned) ObjectFree(const_cast<uint8_t*>(pixels));
  }
  if (!opaqueSeen) {
    RECT rect{0, 0, bm.bmWidth, bm.bmHeight};
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return mask;
}
