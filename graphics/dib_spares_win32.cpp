// Spare DIB sections: the pixel memory of images the library freed, kept for the next DIB
// section of the same size and depth. A refresh of the picture frees and makes a small
// scratch image nineteen times and the display image once; each time the system hands out
// and takes back pixel memory it maps fresh pages, which then fault in one by one.
// Depends on gdi32. Limitations: kSpares bitmaps, at most two of one size; a bitmap still
// selected into a device context is not kept (its owner deletes it as before).
#include <cstring>

#include "graphics/image.h"

namespace {

constexpr int kSpares = 6;
constexpr int kPerSize = 2;

struct Spare {
  HBITMAP bitmap;
  void* bits;
  int32_t width, height, depth;
  uint32_t kept;  // when it was kept: the order of keeping
};

Spare g_spares[kSpares];
uint32_t g_keeps;
HDC g_probe;  // tells whether a bitmap is selected elsewhere: then it cannot be selected here

bool SameSize(const Spare& s, int32_t width, int32_t height, int32_t depth) {
  return s.bitmap && s.width == width && s.height == height && s.depth == depth;
}

void Drop(Spare& s) {
  if (s.bitmap) DeleteObject(s.bitmap);
  s = {};
}

bool SelectedElsewhere(HBITMAP bitmap) {
  if (!g_probe) g_probe = CreateCompatibleDC(nullptr);
  HGDIOBJ before = g_probe ? SelectObject(g_probe, bitmap) : nullptr;
  if (!before) return true;
  SelectObject(g_probe, before);
  return false;
}

}  // namespace

HBITMAP dib_spare_take(int32_t width, int32_t height, int32_t depth, void** pixels) {
  for (Spare& s : g_spares) {
    if (!SameSize(s, width, height, depth)) continue;
    HBITMAP bitmap = s.bitmap;
    std::memset(s.bits, 0, size_t(dib_stride(width, depth)) * size_t(height));
    if (pixels) *pixels = s.bits;
    s = {};
    return bitmap;
  }
  return nullptr;
}

bool dib_spare_keep(HBITMAP bitmap) {
  DIBSECTION dib;
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits || dib.dsBmih.biHeight <= 0 ||
      (dib.dsBm.bmBitsPixel != 24 && dib.dsBm.bmBitsPixel != 32) || SelectedElsewhere(bitmap))
    return false;
  const int32_t width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight, depth = dib.dsBm.bmBitsPixel;
  // The oldest of its size when that size has its share, else a free place, else the oldest.
  Spare *oldestSame = nullptr, *oldest = nullptr, *free = nullptr;
  int same = 0;
  for (Spare& s : g_spares) {
    if (!s.bitmap) {
      free = &s;
      continue;
    }
    if (!oldest || s.kept < oldest->kept) oldest = &s;
    if (!SameSize(s, width, height, depth)) continue;
    ++same;
    if (!oldestSame || s.kept < oldestSame->kept) oldestSame = &s;
  }
  Spare* place = same >= kPerSize ? oldestSame : free ? free : oldest;
  Drop(*place);
  *place = {bitmap, dib.dsBm.bmBits, width, height, depth, ++g_keeps};
  return true;
}

void dib_spares_free() {
  for (Spare& s : g_spares) Drop(s);
  if (g_probe) DeleteDC(g_probe);
  g_probe = nullptr;
}
