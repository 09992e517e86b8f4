// Drawing images onto an output: 24- and 32-bit DIB sections of the requested size go
// straight to the blit kernels; other bitmaps, other sizes and icons are first converted to
// such a DIB section with GDI (halftone stretching below 32 bits), drawn, and deleted.
// Depends on gdi32/user32 and the image library's bitmap utilities.
#include "graphics/blit.h"
#include "graphics/drawing_output.h"
#include "graphics/image.h"
#include "runtime/runtime.h"

namespace {

void DrawCore(DrawingOutput* o, HANDLE handle, int32_t x, int32_t y, int32_t width, int32_t height, int32_t alpha,
              bool useAlpha);

// A DIB section of width × height with the picture of source, copied or stretched.
HBITMAP Converted(HBITMAP source, const BITMAP& bm, int32_t width, int32_t height) {
  HBITMAP copy = dib_create(width, height, bm.bmBitsPixel <= 24 ? 24 : 32);
  if (copy && !bitmap_copy(copy, width, height, source, 0, 0, bm.bmWidth, bm.bmHeight, bm.bmBitsPixel < 32)) {
    DeleteObject(copy);
    return nullptr;
  }
  return copy;
}

void Blit(DrawingOutput* o, HBITMAP bitmap, int32_t x, int32_t y, int32_t alpha, bool useAlpha) {
  PixelBuffer source;
  if (dib_pixels(bitmap, &source)) BlitPixels(&o->canvas, source, x, y, alpha, useAlpha);
}

// A bitmap without pixel memory, as a DIB section of its size; a 32-bit copy whose alpha
// bytes are all 0 counts as opaque.
HBITMAP PixelCopy(HBITMAP bitmap, const BITMAP& bm) {
  int32_t depth = bm.bmBitsPixel <= 24 ? 24 : 32;
  void* bits = nullptr;
  HBITMAP copy = dib_create(bm.bmWidth, bm.bmHeight, depth, &bits);
  if (!copy) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = WORD(depth);
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  bool ok = dc && GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), bits, &info, DIB_RGB_COLORS) == bm.bmHeight;
  if (dc) DeleteDC(dc);
  if (!ok) {
    DeleteObject(copy);
    return nullptr;
  }
  if (depth == 32) {
    auto* p = static_cast<uint8_t*>(bits);
    size_t count = size_t(bm.bmWidth) * size_t(bm.bmHeight);
    bool anyAlpha = false;
    for (size_t i = 0; i < count && !anyAlpha; ++i) anyAlpha = p[i * 4 + 3] != 0;
    if (!anyAlpha)
      for (size_t i = 0; i < count; ++i) p[i * 4 + 3] = 255;
  }
  return copy;
}

// An icon as a 32-bit bitmap with alpha: its own alpha when it has one, else its mask's.
HBITMAP IconBitmap(HICON icon) {
  ICONINFO info;
  if (!GetIconInfo(icon, &info)) return nullptr;
  if (info.hbmColor && bitmap_has_alpha(info.hbmColor)) {
    DeleteObject(info.hbmMask);
    return info.hbmColor;
  }
  BITMAP bm{};
  HBITMAP sizeSource = info.hbmColor ? info.hbmColor : info.hbmMask;
  GetObjectA(sizeSource, sizeof bm, &bm);
  int32_t width = bm.bmWidth, height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  void* bits = nullptr;
  HBITMAP result = width > 0 && height > 0 ? dib_create(width, height, 32, &bits) : nullptr;
  int32_t owned = 0;
  auto* mask = result ? static_cast<const uint32_t*>(bitmap_pixels32(info.hbmMask, &owned)) : nullptr;
  // The mask must cover the picture; its top lines are the last memory rows of its copy.
  BITMAP maskBm{};
  bool covered = mask && GetObjectA(info.hbmMask, sizeof maskBm, &maskBm) &&
                 maskBm.bmWidth >= width && maskBm.bmHeight >= height;
  HDC dc = covered ? CreateCompatibleDC(nullptr) : nullptr;
  if (dc) {
    HGDIOBJ old = SelectObject(dc, result);
    DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_IMAGE);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    int32_t skip = maskBm.bmHeight - height;
    auto* out = static_cast<uint8_t*>(bits);
    for (int32_t row = 0; row < height; ++row)
      for (int32_t x = 0; x < width; ++x)
        out[(size_t(row) * size_t(width) + size_t(x)) * 4 + 3] =
            (mask[size_t(row + skip) * size_t(maskBm.bmWidth) + size_t(x)] & 0xFFFFFF) == 0 ? 255 : 0;
  } else if (result) {
    DeleteObject(result);
    result = nullptr;
  }
  if (mask && owned) ObjectFree(const_cast<uint32_t*>(mask));
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return result;
}

void DrawCore(DrawingOutput* o, HANDLE handle, int32_t x, int32_t y, int32_t width, int32_t height, int32_t alpha,
              bool useAlpha) {
  if (!handle) return;
  if (GetObjectType(handle) != OBJ_BITMAP) {
    HBITMAP bitmap = IconBitmap(static_cast<HICON>(handle));
    if (!bitmap) return;
    DrawCore(o, bitmap, x, y, width, height, alpha, true);
    DeleteObject(bitmap);
    return;
  }
  auto bitmap = static_cast<HBITMAP>(handle);
  DIBSECTION dib;
  int described = GetObjectA(bitmap, sizeof dib, &dib);
  if (described == sizeof dib && dib.dsBm.bmBits) {
    const BITMAP& bm = dib.dsBm;
    bool natural = (width == -1 || width == bm.bmWidth) && (height == -1 || height == bm.bmHeight);
    if (natural && bm.bmBitsPixel >= 24) return Blit(o, bitmap, x, y, alpha, useAlpha);
    if (width == -1) width = bm.bmWidth, height = bm.bmHeight;
    if (height == -1) height = bm.bmHeight;
    HBITMAP copy = Converted(bitmap, bm, width, height);
    if (!copy) return;
    Blit(o, copy, x, y, alpha, useAlpha);
    DeleteObject(copy);
    return;
  }
  if (described < int(sizeof(BITMAP))) return;
  HBITMAP copy = PixelCopy(bitmap, dib.dsBm);
  if (!copy) return;
  DrawCore(o, copy, x, y, width, height, alpha, useAlpha);
  DeleteObject(copy);
}

}  // namespace

void output_draw_image(DrawingOutput* o, HANDLE image, int32_t x, int32_t y) {
  DrawCore(o, image, x, y, -1, -1, 255, false);
}

void output_draw_image_sized(DrawingOutput* o, HANDLE image, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return;
  DrawCore(o, image, x, y, width, height, 255, false);
}

void output_draw_alpha_image(DrawingOutput* o, HANDLE image, int32_t x, int32_t y, int32_t alpha) {
  if (GetObjectType(image) != OBJ_BITMAP) return;
  DrawCore(o, image, x, y, -1, -1, alpha, true);
}
